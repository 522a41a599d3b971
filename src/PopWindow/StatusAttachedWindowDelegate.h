#pragma once

// What an attached window tells its delegate. Both operations are optional.
class StatusAttachedWindowDelegate {
public:
    virtual ~StatusAttachedWindowDelegate() = default;

    // The window is going away (the dark window: it is about to close).
    virtual void isHiddenWindow() {}
    // The pointer entered (true) or left (false) the window.
    virtual void mouseInWindow(bool /*inside*/) {}
};

// The light window's delegate has the same two operations.
using PopStatusAttachedWindowDelegate = StatusAttachedWindowDelegate;
