#pragma once

#include "platform/notifications/Notification.h"

namespace platform::ui {

// What the application tells its delegate. Every operation is optional.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    virtual void applicationDidFinishLaunching(const Notification& /*notification*/) {}
    // The running program was opened again; true lets the platform do its usual handling.
    virtual bool applicationShouldHandleReopen(bool /*hasVisibleWindows*/) { return true; }
};

} // namespace platform::ui
