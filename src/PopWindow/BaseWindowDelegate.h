#pragma once

// Hears a plain click (a press and release that did not move the window) on a BaseWindow.
class BaseWindowDelegate {
public:
    virtual ~BaseWindowDelegate() = default;

    virtual void openMainWindow() = 0;
};
