#pragma once

#include "platform/ui/WindowDelegate.h"

// Stands between an image window and its caller's delegate: every message reaches the
// caller's delegate (the default answer without one), except sheet positioning, which it
// answers itself so that sheets drop from the bottom of the custom title bar.
class TCImageWindowDelegateProxy : public platform::ui::WindowDelegate {
public:
    // Not owned.
    platform::ui::WindowDelegate* secondaryDelegate() const { return secondaryDelegate_; }
    void setSecondaryDelegate(platform::ui::WindowDelegate* delegate) { secondaryDelegate_ = delegate; }

    bool windowShouldClose(platform::ui::Window& sender) override;
    void windowWillClose(const platform::Notification& notification) override;
    void windowDidResize(const platform::Notification& notification) override;
    void windowDidMove(const platform::Notification& notification) override;
    void windowDidBecomeKey(const platform::Notification& notification) override;
    void windowDidResignKey(const platform::Notification& notification) override;
    void windowDidBecomeMain(const platform::Notification& notification) override;
    void windowDidResignMain(const platform::Notification& notification) override;
    void windowDidMiniaturize(const platform::Notification& notification) override;
    void windowDidDeminiaturize(const platform::Notification& notification) override;
    // The rectangle with its y at the window's height less its title-bar height.
    platform::ui::Rect windowWillPositionSheet(platform::ui::Window& window, const platform::ui::Rect& rect) override;

private:
    platform::ui::WindowDelegate* secondaryDelegate_ = nullptr;
};
