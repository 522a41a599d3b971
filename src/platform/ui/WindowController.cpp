#include "WindowController.h"

namespace platform::ui {

WindowController::WindowController() = default;
WindowController::~WindowController() = default;

void WindowController::setWindow(std::unique_ptr<Window> window)
{
    window_ = std::move(window);
    if (window_)
        windowDidLoad();
}

} // namespace platform::ui
