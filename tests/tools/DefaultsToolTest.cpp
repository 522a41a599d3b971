#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"
#include "platform/commands/CommandRunner.h"
#include "platform/scripts/ScriptRunner.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDirIterator>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString bash(test::TestPlatform& platform, const QString& line)
{
    return QString::fromUtf8(platform->commandRunner->runReader("/bin/bash", {"-c", line}, std::chrono::seconds(20)).standardOutput);
}

// Lines as the Switch Manager runs them, through bash with the stand-ins first on PATH.
TEST(DefaultsToolTest, LinesReachTheSimulatedMac)
{
    test::TestPlatform platform;
    const QString byHost = "defaults -currentHost write ~/Library/Preferences/ByHost/com.apple.notificationcenterui ";
    struct Step {
        QString line;
        QString output;
    };
    const Step steps[] = {
        {"type -P open killall defaults | sed 's|.*/Helpers/||'", "open\nkillall\ndefaults\n"},
        {"defaults read com.apple.finder NoSuchKey", "The domain/default pair does not exist\n"},
        {"defaults read /no/such/domain Key", "The domain/default pair does not exist\n"},
        {"defaults write com.apple.finder CreateDesktop FALSE;killall Finder;defaults read com.apple.finder CreateDesktop", "FALSE\n"},
        {byHost + "doNotDisturb -boolean true", ""},
        {byHost + "doNotDisturbDate -date \"`date -u +\"%Y-%m-%d %H:%M:%S +000\"`\"", ""},
        {"defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb", "1\n"},
        {"defaults write x k -bool maybe; echo $?", "Usage: defaults [-currentHost] read|write|delete <domain> [<key> [-type] <value>]\n1\n"},
        {"killall bash; echo $?", "No matching processes belonging to you were found\n1\n"},
        {"open -a ScreenSaverEngine.app; echo $?", "0\n"},
        // Writers in parallel processes keep each other's keys.
        {"for i in $(seq 16); do defaults write com.example.race k$i -int $i & done; wait; "
         "defaults read com.example.race | grep -c ' = '", "16\n"},
    };
    for (const Step& step : steps)
        EXPECT_EQ(bash(platform, step.line), step.output) << step.line.toStdString();

    const platform::SimulatedMac& mac = *platform->simulatedMac;
    EXPECT_EQ(mac.stateValue("Processes", "Restarts").toMap().value("Finder").toMap().value("Count"), 1);
    EXPECT_EQ(mac.stateValue("ScreenSaver", "Starts"), 1);
    EXPECT_TRUE(bash(platform, "defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturbDate")
                    .contains(QRegularExpression("^20\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\+0000\\n$")));
}

// The Dock script and the dark-mode scripts, answered by the simulated System Events.
TEST(DefaultsToolTest, SystemEventsScriptsAreReadBack)
{
    test::TestPlatform platform;
    platform::ScriptRunner& scripts = *platform->scripts;
    scripts.executeSource("tell application \"System Events\"\n" + QString(76, ' ') + "set autohide of dock preferences to true\n"
                          + QString(74, ' ') + "end tell");
    EXPECT_EQ(bash(platform, "defaults read com.apple.dock autohide"), "1\n");
    scripts.executeSource("tell application \"System Events\"\n set autohide of dock preferences to no\nend tell");
    EXPECT_EQ(bash(platform, "defaults read com.apple.dock autohide"), "0\n");
    scripts.executeSource("tell application \"Finder\"\n set autohide of dock preferences to true\nend tell");
    EXPECT_EQ(bash(platform, "defaults read com.apple.dock autohide"), "0\n");

    scripts.executeFile(platform->bundle->pathForResource("ToDarkMode", "scpt"));
    EXPECT_EQ(bash(platform, "defaults read -g AppleInterfaceStyle"), "Dark\n");
    EXPECT_EQ(platform->simulatedMac->stateValue("Desktop", "DarkColorScheme"), true);
    scripts.executeFile(platform->bundle->pathForResource("ToNotDarkMode", "scpt"));
    EXPECT_EQ(bash(platform, "defaults read -g AppleInterfaceStyle"), "The domain/default pair does not exist\n");
}

// The bundle's night-shift tool keeps its strength and the desktop's night light (simulated here).
TEST(DefaultsToolTest, NightShiftTool)
{
    test::TestPlatform platform;
    const QString tool = platform->bundle->pathForResource("nightshift", {});
    for (const auto& [argument, strength, on] : {std::tuple{"50", 50, true}, std::tuple{"0", 0, false}}) {
        EXPECT_EQ(platform->commandRunner->run(tool, {argument}).exitStatus, 0);
        EXPECT_EQ(platform->simulatedMac->stateValue("Display", "NightShiftStrength"), strength);
        EXPECT_EQ(platform->simulatedMac->stateValue("Desktop", "NightLight"), on);
    }
    EXPECT_EQ(platform->commandRunner->run(tool, {"fifty"}).exitStatus, 1);
}

} // namespace

TEST(DefaultsToolTest, ARelativeDomainNeverLeavesThePreferencesFolder)
{
    test::TestPlatform platform;
    const QString refused = "defaults: refused the domain \"%1\": a name stays inside the Preferences folder\n1\n";
    for (const char* domain : {"../escaped", "../../../../../escaped", "ByHost/../../escaped", "..", "x/../../../../../../escaped", ""}) {
        for (const char* line : {"defaults write '%1' key -int 1", "defaults -currentHost read '%1' key", "defaults delete '%1' key"})
            EXPECT_EQ(bash(platform, QString(line).arg(domain) + "; echo $?").toStdString(), refused.arg(domain).toStdString());
    }
    for (QDirIterator it(platform.folder(), QDir::AllEntries | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        EXPECT_FALSE(it.next().contains("escaped")) << it.filePath().toStdString();
    // A name that stays inside is a domain, in a folder of its own if it has a slash.
    EXPECT_EQ(bash(platform, "defaults write 'sub/./x..y' key -int 7; defaults read 'sub/./x..y' key"), "7\n");
}
