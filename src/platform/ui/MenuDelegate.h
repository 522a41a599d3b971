#pragma once

namespace platform::ui {

class Menu;

// What a menu tells its delegate around a pop-up. Both operations are optional.
class MenuDelegate {
public:
    virtual ~MenuDelegate() = default;

    virtual void menuWillOpen(Menu& /*menu*/) {}
    virtual void menuDidClose(Menu& /*menu*/) {}
};

} // namespace platform::ui
