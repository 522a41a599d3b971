#pragma once

#include "MainView/MainViewControllerDelegate.h"
#include "PopWindow/StatusAttachedWindowDelegate.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/WeakRef.h"

#include <QString>

#include <memory>

class AboutViewController;
class EUCheckUpdateViewController;
class MainViewController;
class PopViewController;
class StatusAttachedWindow;

namespace platform::ui {
class Menu;
class StatusItem;
class TextField;
} // namespace platform::ui

// The application's delegate: it lets one copy of the program run, shows the start-menu window
// (building it anew each time it was hidden, with the tool chosen last), keeps the status item
// in the tray, opens the maker's help and support pages, and shows the About box and the update
// check, each made once for the process (so the check runs once).
//
// A rebuild releases the previous start-menu controller, with its eight tools, before it makes
// the next, so nothing of the earlier window lives on; it keeps one registration for
// "reOpenWindow" and one for the end of launching, whatever the number of rebuilds.
class AppDelegate : public platform::ui::ApplicationDelegate,
                    public MainViewControllerDelegate,
                    public StatusAttachedWindowDelegate,
                    public platform::ui::Referable {
public:
    static constexpr const char* kBundleIdentifier = "com.brenlow.Tavrin";
    static constexpr const char* kMakerSite = "https://www.brenlow.com";
    static constexpr const char* kUserGuidePath = "/how-to-use/tavrin-user-guide.html";
    static constexpr const char* kSupportPath = "/support/";

    AppDelegate();
    ~AppDelegate() override;

    // Outlets of the main interface file: three controls whose fonts are the interface fonts,
    // and the application menu (offered on the status item). Not owned.
    platform::ui::TextField* fontNormal() const { return fontNormal_; } // kept: named by the design, no caller yet
    void setFontNormal(platform::ui::TextField* control) { fontNormal_ = control; }
    platform::ui::TextField* fontLight() const { return fontLight_; } // kept: named by the design, no caller yet
    void setFontLight(platform::ui::TextField* control) { fontLight_ = control; }
    platform::ui::TextField* fontBold() const { return fontBold_; } // kept: named by the design, no caller yet
    void setFontBold(platform::ui::TextField* control) { fontBold_ = control; }
    platform::ui::Menu* applicationMenu() const { return applicationMenu_; }
    void setApplicationMenu(platform::ui::Menu* menu) { applicationMenu_ = menu; }

    void awakeFromNib();
    void applicationDidFinishLaunching(const platform::Notification& notification) override;
    // Whether another copy runs; that copy is then asked to come to the front.
    bool checkAppDuplicateAndBringToFrontWithBundle(const QString& bundleIdentifier);
    void observeValueForKeyPath(const QString& keyPath, void* object);
    void changeTabbarIcon(); // kept: named by the design, no caller yet
    void changeSelectTypeWithIdStr(const QString& idStr) override;
    void showMainWindow();
    void isHiddenWindow() override;
    void miniWindowAction() override;
    void showOrCloseMainWindow();
    bool applicationShouldHandleReopen(bool hasVisibleWindows) override;
    void reOpenWindow();
    void onlineHelpMenuItemAction();
    void supportMenuItemAction();
    void aboutMenuItemAction();
    void checkUpdateMenuItemAction();

    AboutViewController* aboutVC() const { return aboutVC_.get(); } // kept: named by the design, no caller yet
    EUCheckUpdateViewController* checkUpdateWC() const { return checkUpdateWC_.get(); } // kept: named by the design, no caller yet

    MainViewController* mainWC() const { return mainWC_.get(); } // kept: named by the design, no caller yet
    StatusAttachedWindow* mainAttachedWindow() const { return mainAttachedWindow_.get(); } // kept: named by the design, no caller yet
    const QString& typeIdStr() const { return typeIdStr_; } // kept: named by the design, no caller yet
    platform::ui::StatusItem* aStatusItem() const { return aStatusItem_.get(); } // kept: named by the design, no caller yet
    bool isOpenMainWindow() const { return isOpenMainWindow_; }

private:
    void openMakerPage(const char* path);
    // The modal pop-up of a dialog, or its window brought to the front when it is up already.
    static void showDialog(PopViewController& controller);

    std::unique_ptr<AboutViewController> aboutVC_;
    std::unique_ptr<EUCheckUpdateViewController> checkUpdateWC_;

    platform::ui::TextField* fontNormal_ = nullptr;
    platform::ui::TextField* fontLight_ = nullptr;
    platform::ui::TextField* fontBold_ = nullptr;
    platform::ui::Menu* applicationMenu_ = nullptr;

    // The window goes after the controller whose view it shows.
    std::unique_ptr<StatusAttachedWindow> mainAttachedWindow_;
    std::unique_ptr<MainViewController> mainWC_;
    QString typeIdStr_;
    std::unique_ptr<platform::ui::StatusItem> aStatusItem_;
    bool isOpenMainWindow_ = false;

    platform::Observation reOpenObservation_;
    platform::Observation launchObservation_;
    std::unique_ptr<platform::TimerHandle> memoryRelease_; // once a build has settled
    platform::Observation appearanceObservation_;
};
