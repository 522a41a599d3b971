#pragma once

#include "Geometry.h"
#include "platform/notifications/Notification.h"

namespace platform::ui {

class Window;

// What a window tells its delegate. Every operation is optional.
class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;

    virtual bool windowShouldClose(Window& /*sender*/) { return true; }
    virtual void windowWillClose(const Notification& /*notification*/) {}
    virtual void windowDidResize(const Notification& /*notification*/) {}
    virtual void windowDidMove(const Notification& /*notification*/) {}
    virtual void windowDidBecomeKey(const Notification& /*notification*/) {}
    virtual void windowDidResignKey(const Notification& /*notification*/) {}
    virtual void windowDidBecomeMain(const Notification& /*notification*/) {}
    virtual void windowDidResignMain(const Notification& /*notification*/) {}
    virtual void windowDidMiniaturize(const Notification& /*notification*/) {}
    virtual void windowDidDeminiaturize(const Notification& /*notification*/) {}
    // Where a sheet of the window drops from: by default the rectangle the window proposes.
    virtual Rect windowWillPositionSheet(Window& /*window*/, const Rect& rect) { return rect; }
};

} // namespace platform::ui
