#include "platform/ioregistry/SimulatedIORegistry.h"
#include "platform/plist/LibplistSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include "TestPlatform.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::IORegistryEntry;
using platform::SimulatedIORegistry;

namespace {

QVariantMap node(const QString& name, const QVariantMap& properties, const QVariantList& children = {})
{
    return {{QStringLiteral("Name"), name},
            {QStringLiteral("Properties"), properties},
            {QStringLiteral("Children"), children}};
}

const QString kCpuId = QStringLiteral("IOCPUID");

} // namespace

TEST(IORegistryTest, TheSeededMacHasItsSerialNumberAndProcessorsWithoutIds)
{
    test::TestPlatform platform;
    const SimulatedIORegistry registry(*platform->simulatedMac);

    // The serial number is the one the simulated Mac was seeded with.
    const QVariant seeded = platform::LibplistSerialization()
                                .propertyListFromFile(platform.resourcePath(QStringLiteral("simulated-mac/Mac.plist")))
                                .toMap()
                                .value(QStringLiteral("SerialNumber"));
    const auto root = registry.entryFromPath(QStringLiteral("IOService:/"));
    ASSERT_TRUE(root);
    EXPECT_EQ(root->properties.value(QStringLiteral("IOPlatformSerialNumber")), seeded);
    EXPECT_FALSE(registry.entryFromPath(QStringLiteral("IOService:/AppleACPIPlatformExpert")));
    EXPECT_FALSE(registry.entryFromPath(QString()));

    std::vector<IORegistryEntry> processors;
    ASSERT_EQ(registry.getMatchingServicesByName(QStringLiteral("processor"), &processors), 0);
    EXPECT_EQ(processors.size(), size_t(std::max(sysconf(_SC_NPROCESSORS_CONF), 1L)));
    for (const auto& processor : processors)
        EXPECT_FALSE(processor.searchProperty(kCpuId).isValid()) << qPrintable(processor.name);

    std::vector<IORegistryEntry> none{IORegistryEntry{}};
    ASSERT_EQ(registry.getMatchingServicesByName(QStringLiteral("gpu"), &none), 0);
    EXPECT_TRUE(none.empty());
    EXPECT_NE(registry.getMatchingServicesByName(QStringLiteral("processor"), nullptr), 0);
}

TEST(IORegistryTest, StateSetByATestIsSearchedRecursively)
{
    test::TestPlatform platform;
    auto& mac = *platform->simulatedMac;
    mac.setStateValue(QStringLiteral("Mac"), QStringLiteral("SerialNumber"), QString());
    mac.setStateValue(QStringLiteral("Mac"), QStringLiteral("Processors"), QVariantList{
        node(QStringLiteral("CPU1"), {}, {node(QStringLiteral("core"), {{kCpuId, 0x906ea}})}),
        node(QStringLiteral("CPU0"), {{kCpuId, 0x1234}}, {node(QStringLiteral("core"), {{kCpuId, 0x9999}})}),
        QStringLiteral("not a dictionary"),
        node(QStringLiteral("CPU2"), {}, {node(QStringLiteral("a"), {}), node(QStringLiteral("b"), {{kCpuId, 7}})}),
    });

    const SimulatedIORegistry registry(mac);
    const auto root = registry.entryFromPath(QStringLiteral("IOService:/"));
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->properties.contains(QStringLiteral("IOPlatformSerialNumber")));
    mac.setStateValue(QStringLiteral("Mac"), QStringLiteral("SerialNumber"), QStringLiteral("C02TEST0SN01"));
    EXPECT_EQ(registry.entryFromPath(QStringLiteral("IOService:/"))->properties.value(QStringLiteral("IOPlatformSerialNumber")),
              QVariant(QStringLiteral("C02TEST0SN01")));

    std::vector<IORegistryEntry> processors;
    ASSERT_EQ(registry.getMatchingServicesByName(QStringLiteral("processor"), &processors), 0);
    ASSERT_EQ(processors.size(), 3u);
    EXPECT_EQ(processors[0].name, QStringLiteral("CPU1"));
    EXPECT_EQ(processors[0].searchProperty(kCpuId).toLongLong(), 0x906ea);
    // The entry's own value comes before its children's.
    EXPECT_EQ(processors[1].searchProperty(kCpuId).toLongLong(), 0x1234);
    EXPECT_EQ(processors[2].searchProperty(kCpuId).toLongLong(), 7);
}

TEST(IORegistryTest, DeepStateDoesNotRecurseWithoutEnd)
{
    QVariantMap deepest = node(QStringLiteral("leaf"), {{kCpuId, 1}});
    for (int i = 0; i < 200; ++i)
        deepest = node(QStringLiteral("level"), {}, {deepest});
    const auto entries = SimulatedIORegistry::entriesFromState({deepest});
    ASSERT_EQ(entries.size(), 1u);
    // Cut off well before the leaf.
    EXPECT_FALSE(entries[0].searchProperty(kCpuId).isValid());
}
