#include "TrafficLightState.h"

TrafficLightState::Look TrafficLightState::setActiveState()
{
    active_ = true;
    return hover_ ? Look::Hover : Look::Active;
}

TrafficLightState::Look TrafficLightState::setInactiveState()
{
    active_ = false;
    return Look::Inactive;
}

std::optional<TrafficLightState::Look> TrafficLightState::hoverIn()
{
    if (!active_)
        return std::nullopt;
    hover_ = true;
    return Look::Hover;
}

std::optional<TrafficLightState::Look> TrafficLightState::hoverOut()
{
    if (!active_)
        return std::nullopt;
    hover_ = false;
    return Look::Active;
}
