#include "platform/ioregistry/SimulatedIORegistry.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include "TestPlatform.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::IORegistryEntry;
using platform::SimulatedIORegistry;

namespace {

QVariantMap node(const QString& name, const QVariantMap& properties, const QVariantList& children = {})
{
    return {{"Name", name}, {"Properties", properties}, {"Children", children}};
}

const QString kCpuId = "IOCPUID", kSerial = "IOPlatformSerialNumber";

} // namespace

TEST(IORegistryTest, TheSeededMacHasItsSerialNumberAndProcessorsWithoutIds)
{
    test::TestPlatform platform;
    const SimulatedIORegistry registry(*platform->simulatedMac);
    // The serial number is the one the simulated Mac was seeded with.
    const QVariant seeded = platform->propertyLists->propertyListFromFile(
        platform.resourcePath("simulated-mac/Mac.plist")).toMap().value("SerialNumber");
    EXPECT_EQ(registry.entryFromPath("IOService:/").value().properties.value(kSerial), seeded);
    EXPECT_FALSE(registry.entryFromPath("IOService:/AppleACPIPlatformExpert"));
    EXPECT_FALSE(registry.entryFromPath(QString()));
    std::vector<IORegistryEntry> processors;
    ASSERT_EQ(registry.getMatchingServicesByName("processor", &processors), 0);
    EXPECT_EQ(processors.size(), size_t(std::max(sysconf(_SC_NPROCESSORS_CONF), 1L)));
    for (const auto& processor : processors)
        EXPECT_FALSE(processor.searchProperty(kCpuId).isValid()) << qPrintable(processor.name);
    std::vector<IORegistryEntry> none{IORegistryEntry{}};
    ASSERT_EQ(registry.getMatchingServicesByName("gpu", &none), 0);
    EXPECT_TRUE(none.empty());
    EXPECT_NE(registry.getMatchingServicesByName("processor", nullptr), 0);
}

TEST(IORegistryTest, StateSetByATestIsSearchedRecursively)
{
    test::TestPlatform platform;
    auto& mac = *platform->simulatedMac;
    mac.setStateValue("Mac", "Processors", QVariantList{
        node("CPU1", {}, {node("core", {{kCpuId, 0x906ea}})}),
        node("CPU0", {{kCpuId, 0x1234}}, {node("core", {{kCpuId, 0x9999}})}),
        "not a dictionary",
        node("CPU2", {}, {node("a", {}), node("b", {{kCpuId, 7}})}),
    });
    const SimulatedIORegistry registry(mac);
    mac.setStateValue("Mac", "SerialNumber", "C02TEST0SN01"); // read at every request
    EXPECT_EQ(registry.entryFromPath("IOService:/").value().properties.value(kSerial), "C02TEST0SN01");
    std::vector<IORegistryEntry> processors;
    ASSERT_EQ(registry.getMatchingServicesByName("processor", &processors), 0);
    ASSERT_EQ(processors.size(), 3u);
    EXPECT_EQ(processors[0].name, "CPU1");
    EXPECT_EQ(processors[0].searchProperty(kCpuId).toLongLong(), 0x906ea);
    // The entry's own value comes before its children's.
    EXPECT_EQ(processors[1].searchProperty(kCpuId).toLongLong(), 0x1234);
    EXPECT_EQ(processors[2].searchProperty(kCpuId).toLongLong(), 7);
}

TEST(IORegistryTest, DeepStateDoesNotRecurseWithoutEnd)
{
    QVariantMap deepest = node("leaf", {{kCpuId, 1}});
    for (int i = 0; i < 200; ++i)
        deepest = node("level", {}, {deepest});
    const auto entries = SimulatedIORegistry::entriesFromState({deepest});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(entries[0].searchProperty(kCpuId).isValid()); // cut off well before the leaf
}
