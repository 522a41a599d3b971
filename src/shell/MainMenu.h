#pragma once

#include <memory>

class AppDelegate;

namespace platform::ui {
class Menu;
class TextField;
} // namespace platform::ui

// The main interface file: the application delegate with its three font controls (regular,
// light and bold interface fonts), and the application menu with About, Check for Updates,
// Online Help, Support and Quit. Loading it wires the outlets and wakes the delegate (awakeFromNib).
class MainMenu {
public:
    MainMenu();
    ~MainMenu();

    AppDelegate& appDelegate() const { return *delegate_; }
    platform::ui::Menu& applicationMenu() const { return *applicationMenu_; }

private:
    std::unique_ptr<platform::ui::TextField> fontNormal_;
    std::unique_ptr<platform::ui::TextField> fontLight_;
    std::unique_ptr<platform::ui::TextField> fontBold_;
    std::unique_ptr<platform::ui::Menu> applicationMenu_;
    std::unique_ptr<AppDelegate> delegate_; // last: it refers to the others
};

// What the platform's application main function does for this program: the application
// object of the principal class, the main interface file, then the event loop until the
// program ends. The status the process ends with.
int NSApplicationMain(int argc, char** argv);
