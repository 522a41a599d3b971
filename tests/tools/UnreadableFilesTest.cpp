// The stand-ins on files their reader refuses or trims, run as the Switch Manager runs them:
// standard output and error on one pipe.
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"
#include "platform/commands/CommandRunner.h"
#include "platform/preferences/PreferenceDomains.h"
#include "platform/simulated/SimulatedMac.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QByteArray seventyThousandKeys()
{
    QByteArray xml = "<plist version=\"1.0\"><dict><key>AppleShowAllFiles</key><true/>";
    for (int i = 0; i < 70000; ++i)
        xml += "<key>k" + QByteArray::number(i) + "</key><integer>1</integer>";
    return xml + "</dict></plist>";
}

} // namespace

TEST(UnreadableFilesTest, AToolThatCannotReadItsFileSaysSoOnOneLineAndLeavesItAlone)
{
    test::TestPlatform platform;
    const platform::SimulatedMac& mac = *platform->simulatedMac;
    const QString preferences = mac.homePath() + "/Library/Preferences/";
    const QString state = mac.dataFolder() + "/";
    const QString nightshift = platform->bundle->pathForResource("nightshift", {});
    const QByteArray huge = seventyThousandKeys(), garbage = "not a property list\n1 0",
                     array = "<plist><array/></plist>";
    const struct {
        QString file;
        QByteArray contents;
        QString line;
        QString said;
    } cases[] = {
        {preferences + "com.apple.finder.plist", huge, "defaults read com.apple.finder AppleShowAllFiles",
         "defaults: could not read the domain (Property list refused: too many values)\n"},
        {preferences + "com.apple.finder.plist", huge, "defaults write com.apple.finder AppleShowAllFiles TRUE",
         "defaults: could not read the domain (Property list refused: too many values)\n"},
        {preferences + "ByHost/com.apple.notificationcenterui.plist", garbage,
         "defaults -currentHost write ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb -boolean true",
         "defaults: could not read the domain\n"},
        {preferences + "com.apple.dock.plist", array, "defaults delete com.apple.dock autohide",
         "defaults: could not read the domain\n"},
        {state + "Processes.plist", garbage, "killall Finder",
         "killall: could not read the simulated Mac's Processes.plist\n"},
        {state + "ScreenSaver.plist", array, "open -a ScreenSaverEngine.app",
         "open: could not read the simulated Mac's ScreenSaver.plist\n"},
        {state + "Mac.plist", huge, "sw_vers", "sw_vers: could not read the simulated Mac's Mac.plist "
                                               "(Property list refused: too many values)\n"},
        {state + "Mac.plist", garbage, "system_profiler SPDisplaysDataType",
         "system_profiler: could not read the simulated Mac's Mac.plist\n"},
        {state + "Display.plist", garbage, "'" + nightshift + "' 50", "nightshift: could not read the simulated Mac's Display.plist\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        ASSERT_TRUE(test::writeFile(c.file, c.contents));
        const auto result = platform->commandRunner->runReader("/bin/bash", {"-c", c.line + "; echo $?"}, std::chrono::seconds(30));
        EXPECT_EQ(result.standardOutput.toStdString(), (c.said + "1\n").toStdString());
        EXPECT_EQ(test::readFile(c.file), c.contents);
        QFile::remove(c.file);
    }
}

TEST(UnreadableFilesTest, TrimmedValuesAreLeftOutAndSaidAfterTheAnswer)
{
    test::TestPlatform platform;
    const QString file = platform->simulatedMac->homePath() + "/Library/Preferences/com.apple.finder.plist";
    ASSERT_TRUE(test::writeFile(file, test::readFile(test::fixturePath("plist/hostile/utf16-zero-string.bplist"))));
    const auto read = [&](const QString& line) {
        return QString::fromUtf8(platform->commandRunner->runReader("/bin/bash", {"-c", line}, std::chrono::seconds(30)).standardOutput);
    };
    const QString leftOut = "defaults: Property list: left out a string holding a zero character\n";
    EXPECT_EQ(read("defaults read com.apple.finder identifier"), "com.example.ok\n" + leftOut + leftOut);
    EXPECT_EQ(read("defaults read com.apple.finder name; echo $?"), "The domain/default pair does not exist\n" + leftOut + leftOut + "1\n");
    // Nothing dated reaches the readers, which search for digits.
    EXPECT_FALSE(read("defaults write com.apple.finder name ok").contains(QRegularExpression("[0-9]")));
    EXPECT_EQ(read("defaults read com.apple.finder name"), "ok\n");
}

// The program writes the same files: a value set in a file that does not read would replace it.
TEST(UnreadableFilesTest, TheProgramsWritersKeepAFileTheyCannotRead)
{
    test::TestPlatform platform;
    platform::SimulatedMac& mac = *platform->simulatedMac;
    platform::PreferenceDomains& preferences = *platform->preferences;
    const QString stateFile = mac.dataFolder() + "/Bluetooth.plist";
    const QString domainFile = mac.homePath() + "/Library/Preferences/com.apple.dock.plist";
    const std::function<bool()> writers[] = {
        [&] { return mac.setStateValue("Bluetooth", "Power", true); },
        [&] { return preferences.setValue("com.apple.dock", false, "autohide", true); },
    };
    for (const QString& file : {stateFile, domainFile}) {
        for (const QByteArray& contents : {seventyThousandKeys(), QByteArray("<plist><string>x</string></plist>")}) {
            ASSERT_TRUE(test::writeFile(file, contents));
            EXPECT_FALSE(writers[file == domainFile]());
            EXPECT_EQ(test::readFile(file), contents);
        }
        QFile::remove(file);
        EXPECT_TRUE(writers[file == domainFile]()); // a missing file is made
    }
    EXPECT_FALSE(mac.readStateFile("Bluetooth")->isEmpty());
    ASSERT_TRUE(test::writeFile(stateFile, "{"));
    EXPECT_FALSE(mac.readStateFile("Bluetooth"));
    EXPECT_EQ(mac.readStateFile("NoSuchState"), QVariantMap());
}
