#pragma once

#include "WeakRef.h"
#include "Window.h"

#include <memory>

namespace platform::ui {

// Owns one window, made by its interface file, and hears when it has loaded.
class WindowController : public Referable {
public:
    WindowController();
    ~WindowController() override;

    Window* window() const { return window_.get(); }
    // Takes the window, then windowDidLoad.
    void setWindow(std::unique_ptr<Window> window);

protected:
    virtual void windowDidLoad() {}

private:
    std::unique_ptr<Window> window_;
};

} // namespace platform::ui
