#include "CpuTemperature.h"
#include "SMCReader.h"

#include "platform/smc/SimulatedSmcConnection.h"
#include "platform/smc/ThermalZones.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

QString zones(const char* name)
{
    return test::fixturePath(QStringLiteral("thermal/") + QLatin1String(name));
}

} // namespace

TEST(ThermalZonesTest, ZoneTypesAndTexts)
{
    EXPECT_EQ(cpuZoneRank("x86_pkg_temp\n"), 0);
    for (const char* type : {"cpu_thermal", "CPU0-Thermal", "k10temp"})
        EXPECT_EQ(cpuZoneRank(type), 1) << type;
    EXPECT_EQ(cpuZoneRank("acpitz"), 2);
    for (const char* type : {"iwlwifi_1", ""})
        EXPECT_FALSE(cpuZoneRank(type)) << type;

    EXPECT_EQ(parseZoneTemperature("45500\n"), 45.5);
    EXPECT_EQ(parseZoneTemperature("-5000"), -5.0);
    for (const char* bad : {"", "45.5", "hot"})
        EXPECT_FALSE(parseZoneTemperature(bad)) << bad;
}

TEST(ThermalZonesTest, ChoosingTheProcessorZone)
{
    EXPECT_EQ(cpuZoneTemperature(zones("laptop")), 45.5);       // the package, not the board
    EXPECT_EQ(cpuZoneTemperature(zones("board-only")), 27.8);   // the board as a last resort
    EXPECT_FALSE(cpuZoneTemperature(zones("no-cpu")));
    EXPECT_FALSE(cpuZoneTemperature(zones("missing")));
    // A package zone that does not read gives way; zone 2 comes before zone 10.
    EXPECT_EQ(cpuZoneTemperature(zones("fallback")), 51.0);
}

TEST(SimulatedSmcTest, TemperatureKeyFromTheThermalZoneAndNoOtherKey)
{
    SimulatedSmcConnection smc(zones("laptop"));
    SMCReader reader(smc);
    QString text;
    ASSERT_TRUE(reader.readKey("TC0P", text));
    EXPECT_EQ(text, QStringLiteral("45.500 "));
    ASSERT_TRUE(reader.readKey("TB0T", text));
    EXPECT_EQ(text, QString());

    // No processor zone: the key is absent, and the empty text is no number, so the monitor shows 0.0.
    SimulatedSmcConnection none(zones("no-cpu"));
    SMCReader noneReader(none);
    SMCValue value;
    ASSERT_EQ(noneReader.SMCReadKey("TC0P", value), kIOReturnSuccess);
    EXPECT_EQ(value.dataSize, 0u);
    EXPECT_EQ(cpuTemperature(noneReader), 0.0f);
}

TEST(SimulatedSmcTest, DriverRefusesBadCalls)
{
    SimulatedSmcConnection smc(zones("laptop"));
    unsigned char input[80] = {};
    unsigned char output[80];
    std::size_t size = sizeof output;
    input[42] = 9;
    const io_connect_t connection = SimulatedSmcConnection::kConnection;
    EXPECT_EQ(smc.connectCallStructMethod(connection, 2, input, 80, output, &size), kIOReturnNotOpen);
    io_service_t service = 0;
    smc.firstMatchingService("IOFramebuffer", &service);
    EXPECT_EQ(service, IO_OBJECT_NULL);
    smc.firstMatchingService("AppleSMC", &service);
    io_connect_t opened = 0;
    ASSERT_EQ(smc.serviceOpen(service, 0, &opened), kIOReturnSuccess);
    EXPECT_EQ(opened, connection);
    EXPECT_EQ(smc.connectCallStructMethod(connection, 3, input, 80, output, &size), kIOReturnBadArgument);
    EXPECT_EQ(smc.connectCallStructMethod(connection, 2, input, 79, output, &size), kIOReturnBadArgument);
    input[42] = 6;
    EXPECT_EQ(smc.connectCallStructMethod(connection, 2, input, 80, output, &size), kIOReturnUnsupported);
    EXPECT_EQ(smc.serviceClose(connection), kIOReturnSuccess);
    EXPECT_EQ(smc.serviceClose(connection), kIOReturnNotOpen);
}

TEST(SimulatedSmcTest, Sp78Encoding)
{
    const auto encoded = [](double celsius) {
        unsigned char bytes[2];
        SimulatedSmcConnection::encodeSp78(celsius, bytes);
        return QByteArray(reinterpret_cast<const char*>(bytes), 2);
    };
    EXPECT_EQ(encoded(45.5), QByteArray("\x2D\x80", 2));
    EXPECT_EQ(encoded(-1.0), QByteArray("\xFF\x00", 2));
    EXPECT_EQ(encoded(200.0), QByteArray("\x7F\xFF", 2));
    EXPECT_EQ(encoded(-300.0), QByteArray("\x80\x00", 2));
}
