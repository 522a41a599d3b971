#pragma once

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDelegate.h"

// The borderless, movable base of the attached windows: translucent, with a shadow, its own
// delegate, and keeping its frame under "Position" once it has moved.
class PopBaseWindow : public platform::ui::Window, public platform::ui::WindowDelegate {
public:
    // The style mask is always resizable-only; the caller's is not used.
    PopBaseWindow(const platform::ui::Rect& contentRect, unsigned styleMask, platform::ui::BackingStoreType backing,
                  bool defer);
    ~PopBaseWindow() override;

    bool canBecomeKeyWindow() const override { return true; }
    bool canBecomeMainWindow() const override { return true; }
    void becomeMainWindow() override;

    void windowDidMove(const platform::Notification& notification) override;
    void windowWillClose(const platform::Notification& notification) override;
    void windowDidDeminiaturize(const platform::Notification& notification) override;

protected:
    void stopBaseObservations();

private:
    platform::Observation deminiaturizeObservation_;
    platform::Observation willCloseObservation_;
};
