#pragma once

#include "TabBarVDelegate.h"

#include "platform/ui/View.h"

#include <memory>

class HMTrafficButtonsContainer;

namespace platform::ui {
class TrackingArea;
class Window;
} // namespace platform::ui

// The close, minimise and zoom lights at the top of the start-menu view. Only close starts
// enabled; the start-menu view enables minimise once it has loaded; nothing enables zoom.
class TabBarView : public platform::ui::View {
public:
    explicit TabBarView(const platform::ui::Rect& frame);

    // Not owned: the delegate (the view controller that holds the bar) outlives it.
    TabBarVDelegate* delegate() const { return delegate_; }
    void setDelegate(TabBarVDelegate* delegate) { delegate_ = delegate; }

    HMTrafficButtonsContainer* closeButton() const { return closeButton_; }
    HMTrafficButtonsContainer* minButton() const { return minButton_; } // kept: named by the design, no caller yet
    HMTrafficButtonsContainer* zoomButton() const { return zoomButton_; } // kept: named by the design, no caller yet

    // Enables or disables the minimise light and makes it look active either way.
    void setMiniButAction(bool enabled);

    void clickCloseButton(platform::ui::View& sender);
    void clickMinimizeButton(platform::ui::View& sender);
    void clickZoomButton(platform::ui::View& sender);

    // Draws nothing of its own: only the lights show.
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;

private:
    // What the interface file leaves: the three lights and a tracking area over the bar.
    void awakeFromNib();
    void tellDelegateThenAct(void (TabBarVDelegate::*message)(), void (platform::ui::Window::*act)());

    HMTrafficButtonsContainer* closeButton_ = nullptr; // subviews, owned through the bar
    HMTrafficButtonsContainer* minButton_ = nullptr;
    HMTrafficButtonsContainer* zoomButton_ = nullptr;
    std::shared_ptr<platform::ui::TrackingArea> trackingArea_;
    TabBarVDelegate* delegate_ = nullptr;
};
