#include "platform/simulated/SimulatedMac.h"
#include "platform/version/SimulatedSystemVersion.h"

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
    ASSERT_TRUE(test::writeFile(seed + QStringLiteral("/root/Applications/Demo.app/Contents/Info.plist"), {}));

    SimulatedMac mac(base + QStringLiteral("/data"), base + QStringLiteral("/root"));
    mac.setStateValue(QStringLiteral("Mac"), QStringLiteral("ProductVersion"), QStringLiteral("10.13.6"));
    ASSERT_TRUE(test::writeFile(seed + QStringLiteral("/Mac.plist"),
                                "<plist version=\"1.0\"><dict><key>ProductVersion</key><string>10.15.7</string></dict></plist>"));

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

TEST(SimulatedMacTest, GestaltAnswersLikeTheMac)
{
    const std::tuple<const char*, OSType, int32_t> cases[] = {
        {"10.9.5", gestaltSystemVersion, 0x1095},
        {"10.4.11", gestaltSystemVersion, 0x1049}, // the bug-fix digit saturates
        {"10.15.7", gestaltSystemVersion, 0x1099},
        {"14.0", gestaltSystemVersionMinor, 0},
        {"14.0", gestaltSystemVersionBugFix, 0},
    };
    int32_t value = 0;
    for (const auto& [version, selector, expected] : cases) {
        ASSERT_EQ(SimulatedSystemVersion::answer(QString::fromLatin1(version), selector, &value), noErr) << version;
        EXPECT_EQ(value, expected) << version;
    }
    EXPECT_NE(SimulatedSystemVersion::answer(QStringLiteral("unknown"), gestaltSystemVersion, &value), noErr);
    EXPECT_NE(SimulatedSystemVersion::answer(QStringLiteral("10.15"), fourCharCode("cpuf"), &value), noErr);
}
