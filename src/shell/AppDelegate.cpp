#include "AppDelegate.h"

#include "AboutViewController.h"
#include "ShellNotifications.h"
#include "StatusItemToggle.h"

#include "action/EUCheckUpdateViewController.h"
#include "MainView/MainViewController.h"
#include "PopWindow/ModalPopUp.h"
#include "utilities/PublicUtilities.h"
#include "PopWindow/StatusAttachedWindow.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"
#include "platform/process/FreedMemory.h"
#include "platform/process/InstanceLock.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/Application.h"
#include "platform/ui/Image.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ToolTipManager.h"
#include "platform/ui/WindowNotifications.h"

#include <QUrl>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;

namespace {

const QString kAppearanceKeyPath = QStringLiteral("button.effectiveAppearance");
const QString kDefaultTool = QStringLiteral("TaskManager");
constexpr std::chrono::milliseconds kMemoryReleaseDelay{2000};

} // namespace

AppDelegate::AppDelegate() = default;

AppDelegate::~AppDelegate()
{
    // The controller (and its tools) first, then the window that showed its view.
    mainWC_.reset();
    mainAttachedWindow_.reset();
}

void AppDelegate::awakeFromNib()
{
    if (fontNormal_)
        PublicUtilities::writRegularFont(fontNormal_->font());
    if (fontLight_)
        PublicUtilities::writLightFont(fontLight_->font());
    if (fontBold_)
        PublicUtilities::writBoldFont(fontBold_->font());
}

void AppDelegate::applicationDidFinishLaunching(const Notification&)
{
    if (checkAppDuplicateAndBringToFrontWithBundle(QString::fromLatin1(kBundleIdentifier))) {
        NSApp().terminate(); // the run ends before it starts, with status 0
        return;
    }
    ToolTipManager::sharedToolTipManager().setInitialToolTipDelay(0.3);
    typeIdStr_ = kDefaultTool;
    showMainWindow();

    aStatusItem_ = StatusBar::systemStatusBar().statusItemWithLength(NSSquareStatusItemLength);
    appearanceObservation_ = aStatusItem_->addObserverForKeyPath(
        this, kAppearanceKeyPath, KeyValueObservingOptionNew | KeyValueObservingOptionInitial,
        [this](const QString& keyPath, void* object) { observeValueForKeyPath(keyPath, object); });
    aStatusItem_->setToolTip(QStringLiteral("Tavrin"));
    aStatusItem_->setAction([this] { showOrCloseMainWindow(); });
    aStatusItem_->setMenu(applicationMenu_);
}

bool AppDelegate::checkAppDuplicateAndBringToFrontWithBundle(const QString& bundleIdentifier)
{
    platform::InstanceLock& lock = *platform::Platform::current().instanceLock;
    if (lock.tryLock(bundleIdentifier) == platform::InstanceLock::Result::AnotherCopyRuns)
        return true;
    lock.setActivationHandler([] {
        platform::NSLog(QStringLiteral("Another copy of Tavrin asked this one to come to the front"));
        NSApp().reopen();
    });
    return false;
}

void AppDelegate::observeValueForKeyPath(const QString& keyPath, void* object)
{
    if (keyPath != kAppearanceKeyPath || !object)
        return;
    auto* item = static_cast<StatusItem*>(object);
    const bool dark = item->effectiveAppearanceName().toLower().contains(QLatin1String("dark"));
    item->setImage(Image::imageNamed(dark ? QStringLiteral("titleLogo_dark") : QStringLiteral("titleLogo")));
}

void AppDelegate::changeTabbarIcon()
{
    // The global "AppleInterfaceStyle" is the desktop's colour scheme here, which the status
    // item's appearance follows.
    if (!aStatusItem_)
        return;
    aStatusItem_->setImage(Image::imageNamed(QStringLiteral("titleLogo")));
    if (aStatusItem_->effectiveAppearanceName() == NSAppearanceNameDarkAqua)
        aStatusItem_->setImage(Image::imageNamed(QStringLiteral("titleLogo_dark")));
}

void AppDelegate::changeSelectTypeWithIdStr(const QString& idStr)
{
    typeIdStr_ = idStr;
}

void AppDelegate::showMainWindow()
{
    if (isOpenMainWindow_)
        return;
    isOpenMainWindow_ = true;

    mainWC_.reset(); // the previous controller and its tools end here
    mainWC_ = std::make_unique<MainViewController>();
    mainWC_->setDelegate(this);

    Point anchor{-3, 0};
    if (const Window* main = NSApp().mainWindow())
        anchor = {main->frame().minX() + main->frame().width() * 0.5 - 3, main->frame().minY()};

    mainAttachedWindow_.reset();
    mainAttachedWindow_ = StatusAttachedWindow::create(mainWC_->view(), anchor, nullptr, AttachedSideBelow, 5.0f);
    mainAttachedWindow_->setMattachedWDelegate(this);
    mainWC_->setSuperDelegate(mainAttachedWindow_.get());
    mainWC_->changeTabWithidStr(typeIdStr_);
    mainAttachedWindow_->center();
    mainAttachedWindow_->makeKeyAndOrderFront();

    // One registration each, replaced at every build.
    launchObservation_ = NotificationCenter::defaultCenter().addObserver(
        this, NSApplicationDidFinishLaunchingNotification, &NSApp(), [this](const Notification&) {
            if (mainAttachedWindow_)
                mainAttachedWindow_->orderFrontRegardless();
        });
    PublicUtilities::writePopWindowPoint({0, 0});
    reOpenObservation_ = NotificationCenter::defaultCenter().addObserver(
        this, kReOpenWindowNotification, nullptr, [this](const Notification&) { reOpenWindow(); });
    // What the previous build let go goes back to the system once this one has settled, off the
    // way to the window's first paint.
    memoryRelease_ = platform::Platform::current().dispatcher->scheduledTimer(
        kMemoryReleaseDelay, false, [] { platform::returnFreedMemoryToSystem(); });
}

void AppDelegate::isHiddenWindow()
{
    miniWindowAction();
}

void AppDelegate::miniWindowAction()
{
    isOpenMainWindow_ = false;
    if (mainAttachedWindow_)
        mainAttachedWindow_->orderOut();
}

void AppDelegate::showOrCloseMainWindow()
{
    Window* window = mainAttachedWindow_.get();
    if (!window)
        isOpenMainWindow_ = false;
    switch (statusItemToggle(isOpenMainWindow_, window && window->isOnActiveSpace(),
                             window ? window->occlusionState() : 0)) {
    case StatusItemToggle::Rebuild:
        reOpenWindow();
        break;
    case StatusItemToggle::Hide:
        isOpenMainWindow_ = false;
        window->orderOut();
        break;
    case StatusItemToggle::BringToFront:
        window->makeKeyAndOrderFront();
        break;
    }
}

bool AppDelegate::applicationShouldHandleReopen(bool)
{
    showOrCloseMainWindow();
    return true;
}

void AppDelegate::reOpenWindow()
{
    showMainWindow();
}

void AppDelegate::openMakerPage(const char* path)
{
    platform::Platform::current().workspace->openURL(QUrl(QString::fromLatin1(kMakerSite) + QString::fromLatin1(path)));
}

void AppDelegate::onlineHelpMenuItemAction()
{
    openMakerPage(kUserGuidePath);
}

void AppDelegate::supportMenuItemAction()
{
    openMakerPage(kSupportPath);
}

void AppDelegate::showDialog(PopViewController& controller)
{
    if (Window* shown = controller.superDelegate()) {
        shown->makeKeyAndOrderFront();
        return;
    }
    runModalPopUp(controller);
}

void AppDelegate::aboutMenuItemAction()
{
    if (!aboutVC_)
        aboutVC_ = std::make_unique<AboutViewController>();
    showDialog(*aboutVC_);
}

void AppDelegate::checkUpdateMenuItemAction()
{
    if (!checkUpdateWC_)
        checkUpdateWC_ = std::make_unique<EUCheckUpdateViewController>();
    showDialog(*checkUpdateWC_);
}
