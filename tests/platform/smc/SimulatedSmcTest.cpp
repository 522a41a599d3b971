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
    const std::pair<const char*, std::optional<int>> ranks[] = {
        {"x86_pkg_temp\n", 0}, {"cpu_thermal", 1}, {"CPU0-Thermal", 1}, {"k10temp", 1}, {"acpitz", 2},
        {"iwlwifi_1", std::nullopt}, {"", std::nullopt}};
    for (const auto& [type, rank] : ranks)
        EXPECT_EQ(cpuZoneRank(type), rank) << type;
    const std::pair<const char*, std::optional<double>> temperatures[] = {
        {"45500\n", 45.5}, {"-5000", -5.0}, {"", std::nullopt}, {"45.5", std::nullopt}, {"hot", std::nullopt}};
    for (const auto& [text, celsius] : temperatures)
        EXPECT_EQ(parseZoneTemperature(text), celsius) << text;
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

TEST(SimulatedSmcTest, DriverRefusesBadCalls)
{
    SimulatedSmcConnection smc(zones("laptop"));
    unsigned char input[80] = {}, output[80];
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

TEST(SimulatedSmcTest, Sp78EncodingClampsToItsRange)
{
    const std::pair<double, QByteArray> cases[] = {{45.5, QByteArray("\x2D\x80", 2)}, {-1.0, QByteArray("\xFF\x00", 2)},
                                                   {200.0, QByteArray("\x7F\xFF", 2)}, {-300.0, QByteArray("\x80\x00", 2)}};
    for (const auto& [celsius, expected] : cases) {
        unsigned char bytes[2];
        SimulatedSmcConnection::encodeSp78(celsius, bytes);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes), 2), expected) << celsius;
    }
}
