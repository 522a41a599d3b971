#include "TabBarView.h"

#include "HMTrafficButtonsContainer.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/TrackingArea.h"
#include "platform/ui/Window.h"

using namespace platform::ui;
using platform::NotificationCenter;

namespace {

struct LightPlace {
    const char* idStr;
    double x;
    bool enabled;
    void (TabBarView::*action)(View&);
};

const LightPlace kLights[] = {
    {"close", 0, true, &TabBarView::clickCloseButton},
    {"minimize", 18, false, &TabBarView::clickMinimizeButton},
    {"zoom", 36, false, &TabBarView::clickZoomButton},
};

} // namespace

TabBarView::TabBarView(const Rect& frame)
    : View(frame)
{
    awakeFromNib();
}

void TabBarView::awakeFromNib()
{
    HMTrafficButtonsContainer** fields[] = {&closeButton_, &minButton_, &zoomButton_};
    for (int i = 0; i < 3; ++i) {
        const LightPlace& place = kLights[i];
        auto light = std::make_unique<HMTrafficButtonsContainer>(Rect(place.x, 2, 12, 12));
        light->setIdStr(QString::fromLatin1(place.idStr));
        light->setAction([this, action = place.action](Button& sender) { (this->*action)(sender); });
        light->setFocusRingType(FocusRingType::None);
        light->setEnabled(place.enabled);
        HMTrafficButtonsContainer* added = addSubview(std::move(light));
        added->setup();
        *fields[i] = added;
    }
    minButton_->setInactiveState();
    trackingArea_ = std::make_shared<TrackingArea>(bounds(), TrackingArea::MouseEnteredAndExited | TrackingArea::ActiveAlways,
                                                   this);
    addTrackingArea(trackingArea_);
}

void TabBarView::mouseEntered(const Event&)
{
    NotificationCenter::defaultCenter().postNotificationName(HMTrafficButtonMouseEnter, this);
}

void TabBarView::mouseExited(const Event&)
{
    NotificationCenter::defaultCenter().postNotificationName(HMTrafficButtonMouseExit, this);
}

void TabBarView::setMiniButAction(bool enabled)
{
    minButton_->setEnabled(enabled);
    minButton_->setActiveState();
}

void TabBarView::clickCloseButton(View&)
{
    tellDelegateThenAct(&TabBarVDelegate::closeWindowAction, &Window::close);
}

void TabBarView::clickMinimizeButton(View&)
{
    tellDelegateThenAct(&TabBarVDelegate::miniWindowAction, &Window::miniaturize);
}

// The delegate hears first and may let the bar go; the window is still acted on.
void TabBarView::tellDelegateThenAct(void (TabBarVDelegate::*message)(), void (Window::*act)())
{
    WeakRef<Window> window(this->window());
    if (delegate_)
        (delegate_->*message)();
    if (Window* w = window.get())
        (w->*act)();
}

void TabBarView::clickZoomButton(View&)
{
    if (Window* w = window())
        w->zoom();
}
