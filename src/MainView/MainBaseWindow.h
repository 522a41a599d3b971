#pragma once

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Window.h"

// A borderless window, movable by its background, that shows the start menu's rounded
// translucent panel. Unlike the attached windows it is not its own delegate.
class MainBaseWindow : public platform::ui::Window {
public:
    // The style mask is always resizable-only; the caller's is not used.
    MainBaseWindow(const platform::ui::Rect& contentRect, unsigned styleMask, platform::ui::BackingStoreType backing,
                   bool defer);

    bool canBecomeKeyWindow() const override { return true; }
    bool canBecomeMainWindow() const override { return true; }
    void becomeMainWindow() override;

    void windowWillClose(const platform::Notification& notification);
    void windowDidDeminiaturize(const platform::Notification& notification);

private:
    platform::Observation deminiaturizeObservation_;
    platform::Observation willCloseObservation_;
};
