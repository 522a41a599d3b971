#include "HightActionViewController.h"

#include "MTBluetooth.h"
#include "PreventSleep.h"
#include "ShellCommand.h"
#include "SwitchRules.h"

#include "utilities/GetColor.h"
#include "controls/PlainLabel.h"
#include "utilities/PublicUtilities.h"
#include "utilities/SettingsStore.h"

#include "platform/Platform.h"
#include "platform/bluetooth/Bluetooth.h"
#include "platform/bundle/Bundle.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/power/PowerAssertions.h"
#include "platform/preferences/PreferenceDomains.h"
#include "platform/scripts/ScriptRunner.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"

using platform::ui::Button;
using platform::ui::Image;
using platform::ui::ImageView;
using platform::ui::Rect;

namespace {

const QString kActive = QStringLiteral("Active");
const QString kDisabled = QStringLiteral("Disabled");
const QString kDoNotDisturbFile = QStringLiteral("~/Library/Preferences/ByHost/com.apple.notificationcenterui");
// The Bluetooth switch is enabled again after this long without a power notification.
constexpr std::chrono::milliseconds kPowerWait{3000};

struct SwitchRow {
    const char* title;
    const char* icon;  // as the tab first shows it
};

constexpr std::array<SwitchRow, 10> kRows{{
    {"Hide Desktop Icons", "ic_desktop_on"},
    {"Dark Mode", "ic_dark"},
    {"Show Hidden Files", "ic_hide_off"},
    {"Start Screen Saver", "ic_screensaver"},
    {"Prevent Sleep", "ic_prevent_sleep"},
    {"Do Not Disturb", "ic_disturb_off"},
    {"Night Shift", "ic_night_off"},
    {"Hide the Dock", "ic_desktop_on"},
    {"Connect AirPods", "ic_airpods"},
    {"Bluetooth", "ic_bluetooth"},
}};

platform::Platform& current()
{
    return platform::Platform::current();
}

} // namespace

HightActionViewController::HightActionViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

HightActionViewController::~HightActionViewController() = default;

void HightActionViewController::loadView()
{
    auto root = std::make_unique<platform::ui::View>(Rect(0, 0, 408, 528));
    const platform::ui::Font font = platform::ui::Font::fontWithName(PublicUtilities::getRegularFontName(), 14);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const double y = 468 - 48 * double(i);
        auto picture = std::make_unique<ImageView>(Rect(24, y + 12, 24, 24));
        picture->setImage(Image::imageNamed(QString::fromLatin1(kRows[i].icon)));
        picture->setImageScaling(platform::ui::ImageScaling::ProportionallyUpOrDown);
        icons_[i] = root->addSubview(std::move(picture));
        root->addSubview(makePlainLabel(Rect(62, y + 14, 250, 20), QString::fromLatin1(kRows[i].title), font,
                                        getColor(58, 62, 72, 1)));
        auto button = std::make_unique<Button>(Rect(336, y + 12, 44, 24));
        button->setBordered(false);
        button->setTitle(QString());
        button->setImage(Image::imageNamed(kDisabled));
        button->setImagePosition(platform::ui::CellImagePosition::ImageOnly);
        buttons_[i] = root->addSubview(std::move(button));
    }
    buttons_[0]->setAction([this](Button&) { but_1Actton(); });
    buttons_[1]->setAction([this](Button&) { but_2Actton(); });
    buttons_[2]->setAction([this](Button&) { but_3Actton(); });
    buttons_[3]->setAction([this](Button&) { but_4Actton(); });
    buttons_[4]->setAction([this](Button&) { but_5Actton(); });
    buttons_[5]->setAction([this](Button&) { but_6Actton(); });
    buttons_[6]->setAction([this](Button&) { but_7Action(); });
    buttons_[7]->setAction([this](Button&) { but_8Action(); });
    buttons_[8]->setAction([this](Button&) { but_9Action(); });
    buttons_[9]->setAction([this](Button&) { but_10Action(); });
    setView(std::move(root));
}

void HightActionViewController::awakeFromNib()
{
    const SwitchRules::Gates gates = SwitchRules::gatesForVersion(PublicUtilities::getSystemVersion());
    if (gates.nightShift) {
        but(7)->setEnabled(false);
        show(7, false);
    } else {
        show(7, getIsOpenNight());
    }
    show(4, false);
    show(5, isNotSeelp());
    show(1, false);
    show(8, false);
    show(3, false);
    but(4)->setEnabled(!gates.screenSaver);
    show(6, false);
    if (gates.doNotDisturb)
        but(6)->setEnabled(false);
    readStatesInBackground(gates.doNotDisturb ? std::vector<int>{1, 8, 3} : std::vector<int>{1, 8, 3, 6});
    if (gates.darkMode) {
        but(2)->setEnabled(false);
        show(2, false);
    } else {
        show(2, getDarkMode());
    }
    setBlueTooth();
}

void HightActionViewController::readStatesInBackground(const std::vector<int>& numbers)
{
    // Together, off the main thread: the window is drawn without waiting for the shells, and
    // each switch shows its state as its answer comes.
    for (const int number : numbers) {
        unanswered_.set(std::size_t(number));
        auto answer = lifetime_.guard([this, number](const QString& output) { answerRead(number, output); });
        platform::dispatchAsyncGlobal([line = readerLine(number), answer = std::move(answer)]() mutable {
            platform::dispatchAsyncMain([answer = std::move(answer), output = ShellCommand::read(line)]() mutable {
                answer(output);
            });
        });
    }
}

void HightActionViewController::answerRead(int number, const QString& output)
{
    if (!unanswered_.test(std::size_t(number)))
        return; // clicked before the answer came: the click's state stands
    unanswered_.reset(std::size_t(number));
    switch (number) {
    case 1: show(1, SwitchRules::desktopIconsHidden(output)); break;
    case 3: show(3, SwitchRules::hiddenFilesShown(output)); break;
    case 6: show(6, doNotDisturbFrom(output)); break;
    case 8: show(8, SwitchRules::dockHidden(output)); break;
    default: break;
    }
}

QString HightActionViewController::readerLine(int number)
{
    switch (number) {
    case 1: return QStringLiteral("defaults read com.apple.finder CreateDesktop");
    case 3: return QStringLiteral("defaults read com.apple.finder AppleShowAllFiles");
    case 6: return QStringLiteral("defaults -currentHost read ") + kDoNotDisturbFile + QStringLiteral(" doNotDisturb");
    case 8: return QStringLiteral("defaults read com.apple.dock autohide");
    default: return {};
    }
}

void HightActionViewController::viewDidLoad()
{
    // Nothing in the system posts it; the registration is kept as the tool has it.
    themeObservation_ = platform::NotificationCenter::defaultCenter().addObserver(
        this, QStringLiteral("AppleInterfaceThemeChangedNotification"), nullptr,
        [this](const platform::Notification&) { updateDarkMode(); });
}

bool HightActionViewController::isActive(int number) const
{
    return but(number)->image().name() == kActive;
}

void HightActionViewController::show(int number, bool on)
{
    but(number)->setImage(Image::imageNamed(on ? kActive : kDisabled));
    switch (number) {
    case 1:
    case 8:
        setIcon(number, on ? QStringLiteral("ic_about") : QStringLiteral("ic_desktop_on"));
        break;
    case 2:
        setIcon(number, QStringLiteral("ic_dark"));
        break;
    case 3:
        setIcon(number, on ? QStringLiteral("ic_hide_on") : QStringLiteral("ic_hide_off"));
        break;
    case 6:
        setIcon(number, on ? QStringLiteral("ic_disturb_on") : QStringLiteral("ic_disturb_off"));
        break;
    case 7:
        setIcon(number, on ? QStringLiteral("ic_night_on") : QStringLiteral("ic_night_off"));
        break;
    case 10:
        setIcon(number, QStringLiteral("ic_bluetooth"));
        break;
    default:
        break;
    }
}

void HightActionViewController::writeAndReadBack(int number, const QStringList& lines, const QString& readLine,
                                                 std::function<bool(const QString&)> isOn)
{
    ShellCommand::launchAndReadBack(lines, readLine, lifetime_.guard([this, number, isOn = std::move(isOn)](const QString& said) {
        show(number, isOn(said));
    }));
}

void HightActionViewController::setIcon(int number, const QString& name)
{
    icon(number)->setImage(Image::imageNamed(name));
}

// Switch 1: the desktop's icons hidden.

bool HightActionViewController::getShowDesktopIcon()
{
    return SwitchRules::desktopIconsHidden(ShellCommand::read(readerLine(1)));
}

void HightActionViewController::but_1Actton()
{
    unanswered_.reset(1);
    show(1, !isActive(1));
    hiddenDesktopIcon();
}

void HightActionViewController::hiddenDesktopIcon()
{
    writeAndReadBack(1,
                     {getShowDesktopIcon() ? QStringLiteral("defaults write com.apple.finder CreateDesktop TRUE;killall Finder")
                                           : QStringLiteral("defaults write com.apple.finder CreateDesktop FALSE;killall Finder")},
                     readerLine(1), &SwitchRules::desktopIconsHidden);
}

// Switch 2: dark mode.

bool HightActionViewController::getDarkMode()
{
    const auto global = current().preferences->persistentDomainForName(QStringLiteral("NSGlobalDomain"));
    return global && SwitchRules::darkStyle(global->value(QStringLiteral("AppleInterfaceStyle")));
}

void HightActionViewController::but_2Actton()
{
    show(2, !isActive(2));
    updateDarkMode();
}

void HightActionViewController::updateDarkMode()
{
    const QString script = getDarkMode() ? QStringLiteral("ToNotDarkMode") : QStringLiteral("ToDarkMode");
    current().scripts->executeFile(current().bundle->pathForResource(script, QStringLiteral("scpt")));
}

// Switch 3: hidden files shown.

bool HightActionViewController::getShowAllFiles()
{
    return SwitchRules::hiddenFilesShown(ShellCommand::read(readerLine(3)));
}

void HightActionViewController::but_3Actton()
{
    unanswered_.reset(3);
    show(3, !isActive(3));
    hiddenHiddenFiles();
}

void HightActionViewController::hiddenHiddenFiles()
{
    writeAndReadBack(3,
                     {getShowAllFiles() ? QStringLiteral("defaults write com.apple.finder AppleShowAllFiles FALSE;killall Finder")
                                        : QStringLiteral("defaults write com.apple.finder AppleShowAllFiles TRUE;killall Finder")},
                     readerLine(3), &SwitchRules::hiddenFilesShown);
}

// Switch 4: the screen saver.

void HightActionViewController::but_4Actton()
{
    openScreen();
}

void HightActionViewController::openScreen()
{
    if (PublicUtilities::getSystemVersion() < 1009) {
        current().powerAssertions->UpdateSystemActivity(0);
        return;
    }
    ShellCommand::launch({QStringLiteral("open -a ScreenSaverEngine.app")});
}

// Switch 5: sleep prevented.

void HightActionViewController::but_5Actton()
{
    setIsNotSeelp(!isNotSeelp());
    show(5, isNotSeelp());
    enablePowerSave(isNotSeelp());
}

void HightActionViewController::setComputerSleep()
{
    platform::PowerAssertions& assertions = *current().powerAssertions;
    platform::IOPMAssertionID assertion = 0;
    if (assertions.IOPMAssertionCreateWithName(QStringLiteral("NoDisplaySleepAssertion"), platform::kIOPMAssertionLevelOn,
                                               QStringLiteral("Describe Activity Type"), &assertion)
        == platform::kIOReturnSuccess)
        assertions.IOPMAssertionRelease(assertion);
}

void HightActionViewController::enablePowerSave(bool enable)
{
    if (enable)
        PreventSleep();
    else
        ReleasePreventObj();
}

// Switch 6: do not disturb.

QString HightActionViewController::getDoNotDisturbPath()
{
    const QString library = current().searchPaths->searchPathsForDirectory(
        platform::SearchPathDirectory::Library, platform::SearchPathDomain::User, true).value(0);
    const QString folder = library + QStringLiteral("/Preferences/ByHost/");
    return SwitchRules::doNotDisturbPath(folder, current().fileManager->contentsOfDirectoryAtPath(folder).value_or(QStringList()));
}

bool HightActionViewController::getDoNotDisturb()
{
    return doNotDisturbFrom(ShellCommand::read(readerLine(6)));
}

bool HightActionViewController::doNotDisturbFrom(const QString& output)
{
    if (PublicUtilities::getSystemVersion() >= 1015)
        return SwitchRules::doNotDisturbOn(output);
    return current().propertyLists->propertyListFromFile(getDoNotDisturbPath()).toMap()
        .value(QStringLiteral("doNotDisturb")).toBool();
}

void HightActionViewController::but_6Actton()
{
    unanswered_.reset(6);
    // Decided from what the switch showed, so the switch and the setting agree afterwards.
    const bool shownOn = isActive(6);
    show(6, !shownOn);
    setDoNotDisturb(shownOn);
}

void HightActionViewController::setDoNotDisturb(bool shownOn)
{
    if (shownOn)
        turnDoNotDisturbOff();
    else
        turnDoNotDisturbOn();
}

void HightActionViewController::turnDoNotDisturbOn()
{
    // One after another, the restart last, so Notification Center reads both values.
    writeAndReadBack(6, {
        QStringLiteral("defaults -currentHost write ") + kDoNotDisturbFile + QStringLiteral(" doNotDisturb -boolean true"),
        QStringLiteral("defaults -currentHost write ") + kDoNotDisturbFile
            + QStringLiteral(" doNotDisturbDate -date \"`date -u +\"%Y-%m-%d %H:%M:%S +000\"`\""),
        QStringLiteral("killall NotificationCenter"),
    }, readerLine(6), [this](const QString& said) { return doNotDisturbFrom(said); });
}

void HightActionViewController::turnDoNotDisturbOff()
{
    writeAndReadBack(6, {QStringLiteral("defaults -currentHost write ") + kDoNotDisturbFile
                             + QStringLiteral(" doNotDisturb -boolean false;killall NotificationCenter")},
                     readerLine(6), [this](const QString& said) { return doNotDisturbFrom(said); });
}

void HightActionViewController::commitDoNotDisturbChanges()
{
    platform::NotificationCenter::defaultCenter().postNotificationName(
        QStringLiteral("com.apple.notificationcenterui.dndprefs_changed"), nullptr);
}

// Switch 7: night shift.

bool HightActionViewController::getIsOpenNight()
{
    return SettingsStore::valueForKey(QStringLiteral("openNight")).toBool();
}

void HightActionViewController::but_7Action()
{
    show(7, !isActive(7));
    setNightLight();
}

void HightActionViewController::setNightLight()
{
    const bool wasOn = getIsOpenNight();
    // Stored before the tool starts, through the store's locked, atomic write.
    SettingsStore::setValueForKey(QStringLiteral("openNight"), !wasOn);
    ShellCommand::launchProgram(current().bundle->pathForResource(QStringLiteral("nightshift"), QString()),
                                {wasOn ? QStringLiteral("0") : QStringLiteral("50")});
}

// Switch 8: the Dock hidden.

bool HightActionViewController::getDockHide()
{
    return SwitchRules::dockHidden(ShellCommand::read(readerLine(8)));
}

void HightActionViewController::but_8Action()
{
    unanswered_.reset(8);
    const bool wasOn = isActive(8);
    show(8, !wasOn);
    setDockHide(!wasOn);
}

void HightActionViewController::setDockHide(bool hide)
{
    current().scripts->executeSource(SwitchRules::dockHideScript(hide));
}

// Switch 9: AirPods.

void HightActionViewController::but_9Action()
{
    auto walk = lifetime_.guard([this] {
        if (isActive(9))
            disconnectAirPods();
        else
            connectAirPods();
    });
    if (!isActive(10))
        but_10Action(walk);
    else
        walk();
}

void HightActionViewController::disconnectAirPods()
{
    platform::Bluetooth& bluetooth = *current().bluetooth;
    for (const platform::Bluetooth::Device& paired : bluetooth.pairedDevices()) {
        const auto device = bluetooth.deviceWithAddressString(paired.address);
        if (!device || !device->name.contains(QLatin1String("AirPods")) || !bluetooth.isConnected(device->address))
            continue;
        platform::dispatchAsyncGlobal([address = device->address, done = lifetime_.guard([this] {
                                           but(9)->setEnabled(true);
                                           but(10)->setEnabled(true);
                                           show(9, false);
                                       })] {
            platform::Platform::current().bluetooth->closeConnection(address);
            platform::dispatchAsyncMain(done);
        });
    }
}

void HightActionViewController::connectAirPods()
{
    show(9, false);
    platform::Bluetooth& bluetooth = *current().bluetooth;
    for (const platform::Bluetooth::Device& paired : bluetooth.pairedDevices()) {
        const auto device = bluetooth.deviceWithAddressString(paired.address);
        if (!device || !device->name.contains(QLatin1String("AirPods")) || bluetooth.isConnected(device->address))
            continue;
        const int result = bluetooth.openConnection(paired.address);
        if (result != 0) {
            platform::NSLog(QStringLiteral("%1 - failed to connect. %2").arg(device->name).arg(result));
            continue;
        }
        show(9, true);
        return;
    }
}

void HightActionViewController::getAirPods()
{
    if (!MTBluetooth::isPower())
        return;
    platform::Bluetooth& bluetooth = *current().bluetooth;
    bool connected = false;
    for (const platform::Bluetooth::Device& paired : bluetooth.pairedDevices())
        connected = connected || (paired.name.contains(QLatin1String("AirPods")) && bluetooth.isConnected(paired.address));
    show(9, connected);
}

// Switch 10: Bluetooth power.

void HightActionViewController::setBlueTooth()
{
    show(10, current().bluetooth->powerState() != 0);
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    poweredOnObservation_ = center.addObserver(this, platform::Bluetooth::kPoweredOnNotification, nullptr,
                                               [this](const platform::Notification&) { openBluetooth(); });
    poweredOffObservation_ = center.addObserver(this, platform::Bluetooth::kPoweredOffNotification, nullptr,
                                                [this](const platform::Notification&) { closeBluetooth(); });
}

void HightActionViewController::but_10Action(std::function<void()> then)
{
    but(10)->setEnabled(false);
    // A controller that never answers must not leave the switch disabled.
    powerWait_ = current().dispatcher->scheduledTimer(kPowerWait, false, [this] {
        but(10)->setEnabled(true);
        show(10, current().bluetooth->powerState() != 0);
    });
    if (MTBluetooth::isPower())
        MTBluetooth::closeBluetooth(std::move(then));
    else
        MTBluetooth::openBluetooth(std::move(then));
}

void HightActionViewController::openBluetooth()
{
    endPowerWait();
    show(10, true);
    but(10)->setEnabled(true);
}

void HightActionViewController::closeBluetooth()
{
    endPowerWait();
    but(10)->setEnabled(true);
    show(10, false);
}

void HightActionViewController::endPowerWait()
{
    powerWait_.reset();
}
