// The stand-ins on files their reader refuses or trims, run as the Switch Manager runs them:
// standard output and error on one pipe, then the status.
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"
#include "platform/commands/CommandRunner.h"
#include "platform/preferences/PreferenceDomains.h"
#include "platform/simulated/SimulatedMac.h"

#include <QFile>

#include <gtest/gtest.h>

// Each says so on one line without a digit (the readers search for digits), exits 1 and leaves
// the file as it was; a file that only lost a value answers, and says so after the answer.
TEST(UnreadableFilesTest, AToolThatCannotReadItsFileSaysSoOnOneLine)
{
    test::TestPlatform platform;
    const platform::SimulatedMac& mac = *platform->simulatedMac;
    const QString finder = mac.homePath() + "/Library/Preferences/com.apple.finder.plist", state = mac.dataFolder() + "/";
    const QString refused = "defaults: could not read the domain (Property list refused: too many values)\n1\n";
    const QByteArray huge = "<plist><dict>" + QByteArray("<key>k</key><true/>").repeated(70000) + "</dict></plist>", garbage = "not a property list", array = "<plist><array/></plist>";
    const QByteArray trimmed = test::readFile(test::fixturePath("plist/hostile/utf16-zero-string.bplist"));
    const QString leftOut = "defaults: Property list: left out a string holding a zero character\n";
    const struct {
        QString file;
        QByteArray contents;
        QString line, said;
    } cases[] = {
        {finder, huge, "defaults read com.apple.finder AppleShowAllFiles", refused},
        {finder, huge, "defaults write com.apple.finder AppleShowAllFiles TRUE", refused},
        {mac.homePath() + "/Library/Preferences/ByHost/com.apple.notificationcenterui.plist", garbage,
         "defaults -currentHost write ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb -boolean true",
         "defaults: could not read the domain\n1\n"},
        {finder, array, "defaults delete com.apple.finder AppleShowAllFiles", "defaults: could not read the domain\n1\n"},
        {finder, trimmed, "defaults read com.apple.finder identifier", "com.example.ok\n" + leftOut + leftOut + "0\n"},
        {state + "Processes.plist", garbage, "killall Finder", "killall: could not read the simulated Mac's Processes.plist\n1\n"},
        {state + "ScreenSaver.plist", array, "open -a ScreenSaverEngine.app", "open: could not read the simulated Mac's ScreenSaver.plist\n1\n"},
        {state + "Mac.plist", huge, "sw_vers", "sw_vers: could not read the simulated Mac's Mac.plist (Property list refused: too many values)\n1\n"},
        {state + "Mac.plist", garbage, "system_profiler SPDisplaysDataType", "system_profiler: could not read the simulated Mac's Mac.plist\n1\n"},
        {state + "Display.plist", garbage, "'" + platform->bundle->pathForResource("nightshift", {}) + "' 50",
         "nightshift: could not read the simulated Mac's Display.plist\n1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        ASSERT_TRUE(test::writeFile(c.file, c.contents));
        const auto result = platform->commandRunner->runReader("/bin/bash", {"-c", c.line + "; echo $?"}, std::chrono::seconds(30));
        EXPECT_EQ(result.standardOutput.toStdString(), c.said.toStdString());
        EXPECT_EQ(test::readFile(c.file), c.contents);
        QFile::remove(c.file);
    }
}

// The program writes the same files: a value set in a file that does not read would replace it.
TEST(UnreadableFilesTest, TheProgramsWritersKeepAFileTheyCannotRead)
{
    test::TestPlatform platform;
    platform::SimulatedMac& mac = *platform->simulatedMac;
    const QByteArray text = "<plist><string>x</string></plist>";
    ASSERT_TRUE(test::writeFile(mac.dataFolder() + "/Bluetooth.plist", text));
    ASSERT_TRUE(test::writeFile(mac.homePath() + "/Library/Preferences/com.apple.dock.plist", text));
    EXPECT_FALSE(mac.setStateValue("Bluetooth", "Power", true));
    EXPECT_FALSE(platform->preferences->setValue("com.apple.dock", false, "autohide", true));
    EXPECT_EQ(test::readFile(mac.dataFolder() + "/Bluetooth.plist"), text);
    EXPECT_EQ(test::readFile(mac.homePath() + "/Library/Preferences/com.apple.dock.plist"), text);
    EXPECT_TRUE(mac.setStateValue("NewState", "Power", true)); // a missing file is made
}
