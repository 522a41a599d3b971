#pragma once

namespace platform::ui {

// Nestable suspension of screen updates around a change that should appear in one step. Qt
// already shows every change made within one turn of the event loop at once, so the count is
// all there is to keep; an enable without a matching disable is ignored.
void NSDisableScreenUpdates();
void NSEnableScreenUpdates();

// Disables screen updates for a scope.
class ScreenUpdatesSuspension {
public:
    ScreenUpdatesSuspension() { NSDisableScreenUpdates(); }
    ~ScreenUpdatesSuspension() { NSEnableScreenUpdates(); }
    ScreenUpdatesSuspension(const ScreenUpdatesSuspension&) = delete;
    ScreenUpdatesSuspension& operator=(const ScreenUpdatesSuspension&) = delete;
};

} // namespace platform::ui
