#include "switchmanager/HightActionViewController.h"
#include "switchmanager/PreventSleep.h"
#include "utilities/SettingsStore.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "TestPlatform.h"
#include "UiTestSupport.h"

#include "platform/bluetooth/Bluetooth.h"
#include "platform/commands/CommandRunner.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/power/SimulatedPowerAssertions.h"
#include "platform/preferences/PreferenceDomains.h"
#include "platform/scripts/SimulatedScriptRunner.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"

#include <QMap>
#include <QVariantList>

#include <gtest/gtest.h>

namespace {

const QString kAirPods = QStringLiteral("f0-b3-ec-17-6a-42");

// Answers each "/bin/bash -c" line with a captured output and records every run.
class ScriptedRunner : public platform::CommandRunner {
public:
    Result runShellLine(const QByteArray& line) override { return run(QStringLiteral("/bin/sh"), {"-c", QString::fromUtf8(line)}); }
    Result run(const QString& program, const QStringList& arguments, const QString& = {}) override
    {
        const QString call = program == QLatin1String("/bin/bash") ? arguments.value(1)
                                                                    : (QStringList{program.section('/', -1)} + arguments).join(' ');
        runs << call;
        return {true, 0, answers.value(call).toUtf8()};
    }
    Result runReader(const QString& program, const QStringList& arguments, std::chrono::milliseconds) override
    {
        Result result = run(program, arguments);
        result.timedOut = silent.contains(arguments.value(1));
        return result;
    }
    QStringList runs;
    QMap<QString, QString> answers;
    QStringList silent;
};

class SwitchManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform->systemVersion = std::make_unique<test::FakeSystemVersion>(QStringLiteral("10.15.7"));
        runner = test::install<ScriptedRunner>(platform->commandRunner);
        power = test::install<platform::SimulatedPowerAssertions>(platform->powerAssertions);
        setIsNotSeelp(false);
    }
    void setVersion(const char* version)
    {
        platform->systemVersion = std::make_unique<test::FakeSystemVersion>(QString::fromLatin1(version));
    }
    // The tab as it shows once its readers have answered.
    HightActionViewController& open()
    {
        tab = std::make_unique<HightActionViewController>();
        tab->view();
        platform.dispatcher().drainAll();
        return *tab;
    }
    void bluetoothState(const QString& key, const QVariant& value)
    {
        platform->simulatedMac->setStateValue(QStringLiteral("Bluetooth"), key, value);
    }
    QString iconName(int number) { return tab->icon(number)->image().name(); }
    // Runs what the background queue holds: the writers.
    QStringList writes()
    {
        runner->runs.clear();
        platform.dispatcher().drainAll();
        return runner->runs;
    }

    test::TestPlatform platform;
    ScriptedRunner* runner = nullptr;
    platform::SimulatedPowerAssertions* power = nullptr;
    std::unique_ptr<HightActionViewController> tab;
};

TEST_F(SwitchManagerTest, LoadShowsWhatTheReadersGive)
{
    runner->answers["defaults read com.apple.finder CreateDesktop"] = "FALSE\n";
    runner->answers["defaults read com.apple.finder AppleShowAllFiles"] = "The domain/default pair does not exist\n";
    runner->answers["defaults read com.apple.dock autohide"] = "The domain/default pair does not exist\n";
    runner->answers["defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb"] = "1\n";
    runner->silent << "defaults read com.apple.finder AppleShowAllFiles";
    open();
    const bool expected[] = {true, false, false, false, false, true, false, true, false, true};
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(tab->isActive(n), expected[n - 1]) << "switch " << n;
    EXPECT_EQ(iconName(1), "ic_about");
    EXPECT_EQ(iconName(6), "ic_disturb_on");
    EXPECT_TRUE(platform.log().messages().join('\n').contains("AppleShowAllFiles\" gave no answer"));

    const QImage image = tab->view()->renderToImage();
    EXPECT_FALSE(image.isNull());
    image.save(test::artifactPath("switch-manager-tab.png"));
}

TEST_F(SwitchManagerTest, ReadersRunInTheBackgroundAndAClickBeforeTheAnswerStands)
{
    runner->answers["defaults read com.apple.finder CreateDesktop"] = "FALSE\n";         // on
    runner->answers["defaults read com.apple.finder AppleShowAllFiles"] = "TRUE\n";      // on
    runner->answers["defaults read com.apple.dock autohide"] = "0\n";                    // off
    runner->answers["defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb"] = "0\n";
    tab = std::make_unique<HightActionViewController>();
    tab->view();
    EXPECT_TRUE(runner->runs.isEmpty()) << "the window waited on " << runner->runs.join(", ").toStdString();
    for (int n : {1, 3, 6, 8})
        EXPECT_FALSE(tab->isActive(n)) << "switch " << n << " before its answer";
    // Turned on before the readers say off: the clicks stand.
    tab->but(6)->performClick();
    tab->but(8)->performClick();
    // Do Not Disturb shows what its read-back finds after the write.
    runner->answers["defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb"] = "1\n";
    platform.dispatcher().drainAll();
    for (int n : {1, 3, 6, 8})
        EXPECT_TRUE(tab->isActive(n)) << "switch " << n;

    // A tab that goes before its answers hears nothing of them.
    tab = std::make_unique<HightActionViewController>();
    tab->view();
    tab.reset();
    platform.dispatcher().drainAll();
}

TEST_F(SwitchManagerTest, ClicksRunTheirCommandLinesAndShowWhatTheyLeft)
{
    const QString dnd = "defaults -currentHost write ~/Library/Preferences/ByHost/com.apple.notificationcenterui ";
    const QString dndRead = "defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb";
    const QString icons = "defaults read com.apple.finder CreateDesktop", files = "defaults read com.apple.finder AppleShowAllFiles";
    const QString refused = "defaults: could not read the domain (Property list refused: too many values)\n";
    struct Click {
        int number;
        QString before, after;  // what the readers give before the click and after its writers
        QStringList lines;      // the click's read, its writers, then the read-back
        bool shown;
    };
    const Click clicks[] = {
        {1, "TRUE\n", "FALSE\n", {icons, "defaults write com.apple.finder CreateDesktop FALSE;killall Finder", icons}, true},
        {1, "FALSE\n", "FALSE\n", {icons, "defaults write com.apple.finder CreateDesktop TRUE;killall Finder", icons}, true},
        {3, "TRUE\n", "", {files, "defaults write com.apple.finder AppleShowAllFiles FALSE;killall Finder", files}, false},
        // A domain that does not read is not written: the switch stays off.
        {3, refused, refused, {files, "defaults write com.apple.finder AppleShowAllFiles TRUE;killall Finder", files}, false},
        {4, {}, {}, {"open -a ScreenSaverEngine.app"}, false},
        // Shown off before the click: on, the restart after both writers.
        {6, {}, "1\n", {dnd + "doNotDisturb -boolean true",
                        dnd + "doNotDisturbDate -date \"`date -u +\"%Y-%m-%d %H:%M:%S +000\"`\"", "killall NotificationCenter", dndRead}, true},
        {6, {}, "0\n", {dnd + "doNotDisturb -boolean false;killall NotificationCenter", dndRead}, false},
        {7, {}, {}, {"nightshift 50"}, true},
        {7, {}, {}, {"nightshift 0"}, false},
    };
    open();
    for (const Click& click : clicks) {
        for (const QString& line : click.lines)
            runner->answers[line] = click.before;
        runner->runs.clear();
        tab->but(click.number)->performClick();
        const QStringList reads = runner->runs;
        for (const QString& line : click.lines)
            runner->answers[line] = click.after;
        EXPECT_EQ(reads + writes(), click.lines) << "switch " << click.number;
        EXPECT_EQ(tab->isActive(click.number), click.shown) << "switch " << click.number;
    }
    // A read-back that comes after the tab has gone is dropped.
    tab->but(3)->performClick();
    tab.reset();
    platform.dispatcher().drainAll();
}

// Dark mode and the Dock go through the simulated System Events into the global and Dock domains.
TEST_F(SwitchManagerTest, DarkModeAndDockChangeTheirDomains)
{
    runner->answers["defaults read com.apple.dock autohide"] = "0\n";
    open();
    const auto value = [&](const char* domain, const char* key) {
        return platform->preferences->persistentDomainForName(domain).value_or(QVariantMap()).value(key);
    };
    tab->but(2)->performClick();
    EXPECT_EQ(value("NSGlobalDomain", "AppleInterfaceStyle"), "Dark");
    EXPECT_TRUE(tab->isActive(2));
    tab->but(2)->performClick();
    EXPECT_FALSE(value("NSGlobalDomain", "AppleInterfaceStyle").isValid());
    tab->but(8)->performClick();
    EXPECT_EQ(value("com.apple.dock", "autohide"), QVariant(true));
    tab->but(8)->performClick();
    EXPECT_EQ(value("com.apple.dock", "autohide"), QVariant(false));
}

TEST_F(SwitchManagerTest, VersionGatesDisableAndShowOff)
{
    struct Case {
        const char* version;
        std::array<bool, 4> enabled;  // switches 2, 4, 6, 7
    };
    const Case cases[] = {{"10.9.5", {false, false, false, false}}, {"10.12.6", {true, true, false, false}}};
    SettingsStore::setValueForKey("openNight", true);
    runner->answers["defaults -currentHost read ~/Library/Preferences/ByHost/com.apple.notificationcenterui doNotDisturb"] = "1";
    for (const Case& c : cases) {
        setVersion(c.version);
        open();
        const int numbers[] = {2, 4, 6, 7};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(tab->but(numbers[i])->isEnabled(), c.enabled[i]) << c.version << " switch " << numbers[i];
        EXPECT_FALSE(tab->isActive(6));
        EXPECT_FALSE(tab->isActive(7));
        EXPECT_EQ(iconName(6), "ic_disturb_off");
        EXPECT_EQ(iconName(7), "ic_night_off");
    }
}

TEST_F(SwitchManagerTest, NightShiftFromAStoreWithoutTheKey)
{
    QVariantMap store = platform->propertyLists->propertyListFromFile(SettingsStore::path()).toMap();
    store.remove("openNight");
    ASSERT_TRUE(platform->propertyLists->writeToFile(store, SettingsStore::path()));
    open().but(7)->performClick();
    EXPECT_EQ(SettingsStore::valueForKey("openNight"), QVariant(true));
    EXPECT_EQ(writes(), QStringList{"nightshift 50"});
    EXPECT_TRUE(tab->isActive(7));
}

TEST_F(SwitchManagerTest, PreventSleepOutlivesARebuild)
{
    open().but(5)->performClick();
    EXPECT_EQ(power->heldAssertions(), QStringList{"PreventUserIdleDisplaySleep"});
    open();  // the start-menu window rebuilt
    EXPECT_TRUE(tab->isActive(5));
    tab->but(5)->performClick();
    EXPECT_TRUE(power->heldAssertions().isEmpty());
    EXPECT_FALSE(tab->isActive(5));
}

// Up to 10.7 there are no assertions: activity is reported at once and every 30 seconds.
TEST_F(SwitchManagerTest, PreventSleepBefore108ReportsActivity)
{
    setVersion("10.7.5");
    open().but(5)->performClick();
    EXPECT_EQ(power->activityReports(), 1);
    platform.dispatcher().advance(std::chrono::seconds(60));
    EXPECT_EQ(power->activityReports(), 3);
    tab->but(5)->performClick();
    platform.dispatcher().advance(std::chrono::seconds(60));
    EXPECT_EQ(power->activityReports(), 3);
    EXPECT_TRUE(power->heldAssertions().isEmpty());
}

TEST_F(SwitchManagerTest, AirPodsWithBluetoothOffConnectAfterThePowerHasSettled)
{
    bluetoothState("Power", false);
    open().but(9)->performClick();
    EXPECT_FALSE(tab->but(10)->isEnabled());
    platform.dispatcher().drainAll();
    EXPECT_TRUE(platform->bluetooth->powerState());
    EXPECT_TRUE(tab->isActive(10));
    EXPECT_FALSE(platform->bluetooth->isConnected(kAirPods));  // not before the pause
    platform.dispatcher().advance(std::chrono::milliseconds(1000));
    EXPECT_TRUE(platform->bluetooth->isConnected(kAirPods));
    EXPECT_TRUE(tab->isActive(9));

    tab->but(9)->performClick();
    platform.dispatcher().drainAll();
    EXPECT_FALSE(platform->bluetooth->isConnected(kAirPods));
    EXPECT_FALSE(tab->isActive(9));
}

TEST_F(SwitchManagerTest, AirPodsThatAllFailStayOffWithOneLinePerAttempt)
{
    QVariantList devices = platform->simulatedMac->stateValue("Bluetooth", "Devices").toList();
    devices << QVariantMap{{"Address", "00-11-22-33-44-55"}, {"Name", "AirPods"}, {"ConnectionResult", -536870212}};
    for (QVariant& device : devices) {
        QVariantMap fields = device.toMap();
        if (fields.value("Name").toString().contains("AirPods"))
            fields.insert("ConnectionResult", -536870212);
        device = fields;
    }
    bluetoothState("Devices", devices);
    open().but(9)->performClick();
    EXPECT_FALSE(tab->isActive(9));
    EXPECT_EQ(platform.log().messages().filter("failed to connect. -536870212").size(), 2);
}

TEST_F(SwitchManagerTest, BluetoothSwitchComesBackWithoutANotification)
{
    bluetoothState("NotifiesPowerChanges", false);
    open().but(10)->performClick();
    platform.dispatcher().drainAll();
    EXPECT_FALSE(tab->but(10)->isEnabled());
    platform.dispatcher().advance(std::chrono::milliseconds(3000));
    EXPECT_TRUE(tab->but(10)->isEnabled());
    EXPECT_FALSE(tab->isActive(10));  // read again: powered off
}

TEST_F(SwitchManagerTest, ObserversAndTimerEndWithTheTab)
{
    auto& center = platform::NotificationCenter::defaultCenter();
    const int before = center.observationCount();
    open().but(10)->performClick();
    EXPECT_EQ(center.observationCount(), before + 3);
    tab.reset();
    EXPECT_EQ(center.observationCount(), before);
    platform.dispatcher().drainAll();
    platform.dispatcher().advance(std::chrono::milliseconds(5000));  // nothing reaches the gone tab
    EXPECT_EQ(platform.dispatcher().validTimers(), 0u);
}

} // namespace
