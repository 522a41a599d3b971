#pragma once

#include "PopWindow/BaseWindow.h"
#include "PopWindow/BaseWindowDelegate.h"

#include "platform/ui/WindowController.h"

#include <memory>

// The small pop window's controller: a plain click on its window asks the shell (through the
// "reOpenWindow" notification) to show the start-menu window, and closes the small window.
class PopWindowController : public platform::ui::WindowController, public BaseWindowDelegate {
public:
    explicit PopWindowController(std::unique_ptr<BaseWindow> window);
    ~PopWindowController() override;

    BaseWindow* baseWindow() const { return baseWindow_; } // kept: named by the design, no caller yet
    void setBaseWindow(BaseWindow* window) { baseWindow_ = window; } // kept: named by the design, no caller yet

    void openMainWindow() override;

protected:
    void windowDidLoad() override;

private:
    BaseWindow* baseWindow_ = nullptr;
};
