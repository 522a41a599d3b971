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
    const QString seed = base + "/seed";
    QDir().mkpath(seed + "/root/Applications/Demo.app/Contents");
    ASSERT_TRUE(test::writeFile(seed + "/root/Applications/Demo.app/Contents/Info.plist", {}));
    SimulatedMac mac(base + "/data", base + "/root");
    mac.setStateValue("Mac", "ProductVersion", "10.13.6");
    ASSERT_TRUE(test::writeFile(seed + "/Mac.plist",
                                "<plist version=\"1.0\"><dict><key>ProductVersion</key><string>10.15.7</string></dict></plist>"));
    mac.ensureSeeded(seed);
    EXPECT_TRUE(QFile::exists(base + "/root/Applications/Demo.app/Contents/Info.plist"));
    EXPECT_TRUE(QDir(mac.homePath() + "/Library/Preferences").exists());
    EXPECT_TRUE(QDir(mac.pathOnMac("/System/Library")).exists());
    // A change made on this Mac survives a later seeding.
    EXPECT_EQ(mac.productVersion(), "10.13.6");
    // Mac paths stay inside the root.
    EXPECT_EQ(mac.pathOnMac("/../../etc/passwd"), base + "/root/etc/passwd");
    EXPECT_TRUE(mac.pathOnMac("Applications").isEmpty());
}

TEST(SimulatedMacTest, ASeedingCutShortLeavesNoHalfFileBehind)
{
    const QString base = test::makeTemporaryFolder();
    const QString seed = base + "/seed";
    const QString tool = "/root/Applications/Demo.app/Contents/MacOS/demo";
    QDir().mkpath(seed + "/root/Applications/Demo.app/Contents/MacOS");
    ASSERT_TRUE(test::writeFile(seed + tool, "#!/bin/sh\necho whole\n"));
    QFile::setPermissions(seed + tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(test::writeFile(seed + "/Volumes.plist", "<plist version=\"1.0\"><dict/></plist>"));
    // An earlier start stopped while copying: a part file, never a file of the real name.
    QDir().mkpath(base + "/root/Applications/Demo.app/Contents/MacOS");
    ASSERT_TRUE(test::writeFile(base + tool + ".part", "#!/bin/sh\nec"));
    SimulatedMac(base + "/data", base + "/root").ensureSeeded(seed);
    QFile copied(base + tool);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "#!/bin/sh\necho whole\n");
    EXPECT_TRUE(copied.permissions() & QFile::ExeOwner);
    EXPECT_FALSE(QFile::exists(base + tool + ".part"));
    EXPECT_TRUE(QFile::exists(base + "/data/Volumes.plist"));
}

TEST(SimulatedMacTest, GestaltAnswersLikeTheMac)
{
    const std::tuple<const char*, OSType, int32_t> cases[] = { // the bug-fix digit saturates
        {"10.9.5", gestaltSystemVersion, 0x1095}, {"10.4.11", gestaltSystemVersion, 0x1049},
        {"10.15.7", gestaltSystemVersion, 0x1099}, {"14.0", gestaltSystemVersionMinor, 16},
        {"14.0", gestaltSystemVersionBugFix, 0}};
    int32_t value = 0;
    for (const auto& [version, selector, expected] : cases) {
        ASSERT_EQ(SimulatedSystemVersion::answer(version, selector, &value), noErr) << version;
        EXPECT_EQ(value, expected) << version;
    }
    EXPECT_NE(SimulatedSystemVersion::answer("unknown", gestaltSystemVersion, &value), noErr);
    EXPECT_NE(SimulatedSystemVersion::answer("10.15", fourCharCode("cpuf"), &value), noErr);
}
