#pragma once

#include "platform/ui/NotificationCenter.h"
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

    void windowWillClose(const platform::ui::Notification& notification);
    void windowDidDeminiaturize(const platform::ui::Notification& notification);

private:
    platform::ui::Observation deminiaturizeObservation_;
    platform::ui::Observation willCloseObservation_;
};
