#pragma once

#include "BaseWindowDelegate.h"

#include "platform/ui/Window.h"

// A borderless window that the user drags by hand. Its top never goes above the top of the
// main screen, every drag step stores its origin as the pop window's point, and a click that
// did not move it goes to the delegate.
class BaseWindow : public platform::ui::Window {
public:
    BaseWindow(const platform::ui::Rect& contentRect, unsigned styleMask, platform::ui::BackingStoreType backing,
               bool defer);

    bool canBecomeKeyWindow() const override { return true; }

    void mouseDown(const platform::ui::Event& event) override;
    void mouseDragged(const platform::ui::Event& event) override;
    void mouseUp(const platform::ui::Event& event) override;

    // Not owned.
    BaseWindowDelegate* baseWindowDelegate() const { return baseWindowDelegate_; } // kept: named by the design, no caller yet
    void setBaseWindowDelegate(BaseWindowDelegate* delegate) { baseWindowDelegate_ = delegate; }

    // Where a drag puts the window: the pointer less the grip offset, lowered when the top
    // would pass the top of `screenFrame` (the main screen's frame; zero without a screen).
    static platform::ui::Point dragOrigin(platform::ui::Point pointer, platform::ui::Point initialLocation,
                                          double windowHeight, const platform::ui::Rect& screenFrame);

private:
    // What the interface file leaves set: borderless, not opaque, a clear background.
    void awakeFromNib();

    bool isDrag = false;
    platform::ui::Point initialLocation;
    platform::ui::Rect oldRect;
    BaseWindowDelegate* baseWindowDelegate_ = nullptr;
};
