#include "HMTrafficButtonsContainer.h"

#include "platform/ui/WindowNotifications.h"

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;

void HMTrafficButtonsContainer::setup()
{
    setBordered(false);
    cell()->setHighlightsBy(ContentsCellMask);
    active = Image::imageNamed(QStringLiteral("window-button-%1-active").arg(idStr_));
    hover = Image::imageNamed(QStringLiteral("window-button-%1-hover").arg(idStr_));
    inactive = Image::imageNamed(QStringLiteral("window-button-all-inactive"));
    setActiveState();
    auto& center = NotificationCenter::defaultCenter();
    becameMain_ = center.addObserver(this, NSWindowDidBecomeMainNotification, nullptr,
                                     [this](const Notification&) { setActiveState(); });
    resignedMain_ = center.addObserver(this, NSWindowDidResignMainNotification, nullptr,
                                       [this](const Notification&) { setInactiveState(); });
    mouseEnter_ = center.addObserver(this, HMTrafficButtonMouseEnter, nullptr, [this](const Notification&) { hoverIn(); });
    mouseExit_ = center.addObserver(this, HMTrafficButtonMouseExit, nullptr, [this](const Notification&) { hoverOut(); });
}

void HMTrafficButtonsContainer::show(TrafficLightState::Look look)
{
    switch (look) {
    case TrafficLightState::Look::Inactive: setImage(inactive); break;
    case TrafficLightState::Look::Active: setImage(active); break;
    case TrafficLightState::Look::Hover: setImage(hover); break;
    }
}

void HMTrafficButtonsContainer::setActiveState()
{
    show(state_.setActiveState());
}

void HMTrafficButtonsContainer::setInactiveState()
{
    show(state_.setInactiveState());
}

void HMTrafficButtonsContainer::hoverIn()
{
    if (const auto look = state_.hoverIn())
        show(*look);
}

void HMTrafficButtonsContainer::hoverOut()
{
    if (const auto look = state_.hoverOut())
        show(*look);
}

void HMTrafficButtonsContainer::mouseDown(const Event& event)
{
    state_.mouseDown();
    Button::mouseDown(event);
}

void HMTrafficButtonsContainer::mouseUp(const Event& event)
{
    state_.mouseUp();
    Button::mouseUp(event); // may run the light's action, which may close the window: last
}
