#include "simulated/SimulatedMac.h"
#include "version/SimulatedSystemVersion.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace platform;

TEST(SimulatedMacTest, SeedingAddsWhatIsMissingAndKeepsState)
{
    const QString base = test::makeTemporaryFolder();
    const QString seed = base + QStringLiteral("/seed");
    QDir().mkpath(seed + QStringLiteral("/root/Applications/Demo.app/Contents"));
    QFile info(seed + QStringLiteral("/root/Applications/Demo.app/Contents/Info.plist"));
    ASSERT_TRUE(info.open(QIODevice::WriteOnly));
    info.close();

    SimulatedMac mac(base + QStringLiteral("/data"), base + QStringLiteral("/root"));
    mac.setStateValue(QStringLiteral("Mac"), QStringLiteral("ProductVersion"), QStringLiteral("10.13.6"));
    QFile stateSeed(seed + QStringLiteral("/Mac.plist"));
    ASSERT_TRUE(stateSeed.open(QIODevice::WriteOnly));
    stateSeed.write("<plist version=\"1.0\"><dict><key>ProductVersion</key><string>10.15.7</string></dict></plist>");
    stateSeed.close();

    mac.ensureSeeded(seed);
    EXPECT_TRUE(QFile::exists(base + QStringLiteral("/root/Applications/Demo.app/Contents/Info.plist")));
    EXPECT_TRUE(QDir(mac.homePath() + QStringLiteral("/Library/Preferences")).exists());
    EXPECT_TRUE(QDir(mac.pathOnMac(QStringLiteral("/System/Library"))).exists());
    // A change made on this Mac survives a later seeding.
    EXPECT_EQ(mac.productVersion(), QStringLiteral("10.13.6"));
}

TEST(SimulatedMacTest, MacPathsStayInsideTheRoot)
{
    SimulatedMac mac(QStringLiteral("/data"), QStringLiteral("/sim"));
    EXPECT_EQ(mac.pathOnMac(QStringLiteral("/Applications")), QStringLiteral("/sim/Applications"));
    EXPECT_EQ(mac.pathOnMac(QStringLiteral("/../../etc/passwd")), QStringLiteral("/sim/etc/passwd"));
    EXPECT_TRUE(mac.pathOnMac(QStringLiteral("Applications")).isEmpty());
}

TEST(SimulatedMacTest, EnvironmentSetsTheVersion)
{
    const QString base = test::makeTemporaryFolder();
    SimulatedMac mac(base, base + QStringLiteral("/root"));
    EXPECT_EQ(mac.productVersion(), QStringLiteral("10.15.7"));
    qputenv("TAVRIN_OS_VERSION", "10.13.6");
    EXPECT_EQ(mac.productVersion(), QStringLiteral("10.13.6"));
    qunsetenv("TAVRIN_OS_VERSION");
}

TEST(SimulatedMacTest, GestaltAnswersLikeTheMac)
{
    int32_t value = 0;
    ASSERT_EQ(SimulatedSystemVersion::answer(QStringLiteral("10.9.5"), gestaltSystemVersion, &value), noErr);
    EXPECT_EQ(value, 0x1095);
    ASSERT_EQ(SimulatedSystemVersion::answer(QStringLiteral("10.4.11"), gestaltSystemVersion, &value), noErr);
    EXPECT_EQ(value, 0x1049); // the bug-fix digit saturates
    ASSERT_EQ(SimulatedSystemVersion::answer(QStringLiteral("10.15.7"), gestaltSystemVersion, &value), noErr);
    EXPECT_EQ(value, 0x1099);
    ASSERT_EQ(SimulatedSystemVersion::answer(QStringLiteral("14.0"), gestaltSystemVersionMinor, &value), noErr);
    EXPECT_EQ(value, 0);
    ASSERT_EQ(SimulatedSystemVersion::answer(QStringLiteral("14.0"), gestaltSystemVersionBugFix, &value), noErr);
    EXPECT_EQ(value, 0);
    EXPECT_NE(SimulatedSystemVersion::answer(QStringLiteral("unknown"), gestaltSystemVersion, &value), noErr);
    EXPECT_NE(SimulatedSystemVersion::answer(QStringLiteral("10.15"), fourCharCode("cpuf"), &value), noErr);
}
