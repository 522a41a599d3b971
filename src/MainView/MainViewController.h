#pragma once

#include "MainViewControllerDelegate.h"
#include "ToolCallGate.h"

#include "switchmanager/QuickVisitVCDelegate.h"
#include "switchmanager/SoundViewControllerDelegate.h"
#include "PopWindow/TabBarVDelegate.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuDelegate.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/WeakRef.h"
#include "platform/ui/Window.h"

#include <QString>

#include <array>
#include <memory>

class ApplicationsViewController;
class CleanUpViewController;
class DiskManagerViewController;
class HightActionViewController;
class LightViewController;
class QuickVisitViewController;
class RoundedImageView;
class SoundViewController;
class StartupItemsViewController;
class TabBarView;
class TaskManagerViewController;
class UninstallViewController;

namespace platform::ui {
class Button;
class Image;
class Menu;
class MenuItem;
class TabView;
class TextField;
class View;
} // namespace platform::ui

// The content of the start-menu window: the user's picture and name, the eight tool buttons
// beside the tab view that holds the eight tools, the volume and brightness pop-ups, the power
// button and menu, and two shortcuts into the system preferences. It creates the eight tools
// as it loads and owns them; when it goes, they go first (their timers, observers and pending
// results end with them), and no background call reaches them afterwards.
class MainViewController : public platform::ui::ViewController,
                           public platform::ui::MenuDelegate,
                           public SoundViewControllerDelegate,
                           public TabBarVDelegate,
                           public QuickVisitVCDelegate {
public:
    static constexpr const char* kInterfaceFile = "MainViewController";
    static constexpr const char* kPowerScript = "tell application \"Finder\" to %s";

    explicit MainViewController(QString nibName = QString::fromLatin1(kInterfaceFile));
    ~MainViewController() override;

    // Not owned: the shell.
    MainViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(MainViewControllerDelegate* delegate) { delegate_ = delegate; }
    // The window that shows this view; not owned (the shell keeps it).
    platform::ui::Window* superDelegate() const { return superDelegate_.get(); }
    void setSuperDelegate(platform::ui::Window* window) { superDelegate_ = window; }

    // Shows the tool with that identifier and marks its button; an identifier of no tool marks
    // no button.
    void changeTabWithidStr(const QString& idStr);
    // A tool button was clicked: show its tool and tell the shell.
    void selectTypeButtonAction(platform::ui::View& sender);

    void openSoundView();
    void openLightView();
    void userInfoSetAction();
    void openChangeDesktopBg();
    void menuToolsButtonAction();

    void shutdonwButtonAction();
    void sleepButtonAction();
    void restartButtonAction();
    void logoutButtonAction(); // kept: named by the design, no caller yet
    void doShitDown(); // kept: named by the design, no caller yet
    void doShoutToolAction(const QString& verb);
    // Shows the image cut to the circle inscribed in the picture view.
    void drawCircleImage(const platform::ui::Image& image); // kept: named by the design, no caller yet
    void aboutMenuItemAction() {}

    // From the tab bar and Quick Visit.
    void closeWindowAction() override;
    void miniWindowAction() override;
    // From the volume pane: nothing to do.
    void changeSoundIcon(bool audible) override;

    // The two styles of a tool button's title.
    static void setButtonTextColor(platform::ui::Button& button); // kept: named by the design, no caller yet
    static void changeButtonTextColor(platform::ui::Button& button);
    void setTypeButtonTextColor();

    // Outlets.
    platform::ui::TabView* tab() const { return tab_; }
    TabBarView* tabView() const { return tabView_; } // kept: named by the design, no caller yet
    RoundedImageView* userIcon() const { return userIcon_; } // kept: named by the design, no caller yet
    platform::ui::TextField* nameLabel() const { return nameLabel_; } // kept: named by the design, no caller yet
    platform::ui::Button* userInfoBut() const { return userInfoBut_; } // kept: named by the design, no caller yet
    platform::ui::Button* userLabeBut() const { return userLabeBut_; } // kept: named by the design, no caller yet
    platform::ui::Button* soundButton() const { return soundButton_; } // kept: named by the design, no caller yet
    platform::ui::Button* lightBut() const { return lightBut_; } // kept: named by the design, no caller yet
    platform::ui::Button* ShutdownBut() const { return ShutdownBut_; } // kept: named by the design, no caller yet
    platform::ui::Button* menuToolsBut() const { return menuToolsBut_; }
    platform::ui::Button* desktopBgBut() const { return desktopBgBut_; }
    // The tool buttons in the order of the tools.
    const std::array<platform::ui::Button*, 8>& typeButtons() const { return typeButtons_; }
    platform::ui::Button* buttonForIdentifier(const QString& idStr) const;

    // The tools and panes.
    ApplicationsViewController* applicationVC() const { return applicationVC_.get(); } // kept: named by the design, no caller yet
    TaskManagerViewController* taskManagerVC() const { return taskManagerVC_.get(); } // kept: named by the design, no caller yet
    CleanUpViewController* cleanupVC() const { return cleanupVC_.get(); } // kept: named by the design, no caller yet
    UninstallViewController* uninstallVC() const { return uninstallVC_.get(); } // kept: named by the design, no caller yet
    HightActionViewController* switchVC() const { return switchVC_.get(); } // kept: named by the design, no caller yet
    StartupItemsViewController* startupItemsVC() const { return startupItemsVC_.get(); } // kept: named by the design, no caller yet
    DiskManagerViewController* diskManagerVC() const { return diskManagerVC_.get(); } // kept: named by the design, no caller yet
    QuickVisitViewController* quickVisitVC() const { return quickVisitVC_.get(); } // kept: named by the design, no caller yet
    SoundViewController* soundVC() const { return soundVC_.get(); } // kept: named by the design, no caller yet
    LightViewController* lightVC() const { return lightVC_.get(); } // kept: named by the design, no caller yet

    // Where the pop-ups open, in this view's coordinates, and where the power menu opens
    // relative to the window's origin.
    static constexpr platform::ui::Point kSoundPopUpLocation{60, 222};
    static constexpr platform::ui::Point kLightPopUpLocation{22, 222};
    static constexpr platform::ui::Point kPowerMenuOffset{130, 48};

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void MainViewControllerView();
    void getSystemIcon();
    void addViewToTab();
    void loadDiskManagerView();
    void addLoginItemOnFirstRun();
    void applyMacMiniRule();
    void clearTypeButtonImages();
    // Runs the one-item menu with the pane's view at the location.
    void popUpPane(platform::ui::View* paneView, platform::ui::Point location);
    // Pops the menu up; if this controller goes meanwhile, the menu closes and hears no more of it.
    void runMenu(platform::ui::Menu& menu, platform::ui::MenuItem* item, platform::ui::Point location,
                 platform::ui::View* inView);

    MainViewControllerDelegate* delegate_ = nullptr;
    platform::ui::WeakRef<platform::ui::Window> superDelegate_;
    platform::ui::WeakRef<platform::ui::Menu> openMenu_;

    platform::ui::TabView* tab_ = nullptr;
    platform::ui::View* baseView_ = nullptr;
    TabBarView* tabView_ = nullptr;
    RoundedImageView* userIcon_ = nullptr;
    platform::ui::TextField* nameLabel_ = nullptr;
    platform::ui::Button* userInfoBut_ = nullptr;
    platform::ui::Button* userLabeBut_ = nullptr;
    platform::ui::Button* soundButton_ = nullptr;
    platform::ui::Button* lightBut_ = nullptr;
    platform::ui::Button* ShutdownBut_ = nullptr;
    platform::ui::Button* menuToolsBut_ = nullptr;
    platform::ui::Button* desktopBgBut_ = nullptr;
    std::array<platform::ui::Button*, 8> typeButtons_{};

    // Background calls into the tools pass this gate; it closes before the tools go.
    std::shared_ptr<ToolCallGate> toolGate_ = ToolCallGate::make();
    std::unique_ptr<ApplicationsViewController> applicationVC_;
    std::unique_ptr<TaskManagerViewController> taskManagerVC_;
    std::unique_ptr<CleanUpViewController> cleanupVC_;
    std::unique_ptr<UninstallViewController> uninstallVC_;
    std::unique_ptr<HightActionViewController> switchVC_;
    std::unique_ptr<StartupItemsViewController> startupItemsVC_;
    std::unique_ptr<DiskManagerViewController> diskManagerVC_;
    std::unique_ptr<QuickVisitViewController> quickVisitVC_;
    std::unique_ptr<SoundViewController> soundVC_;
    std::unique_ptr<LightViewController> lightVC_;
};
