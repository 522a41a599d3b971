#pragma once

#include <optional>

// The two flags of a traffic light and the look they give. Each event answers the look to show
// now, or nothing when the picture stays as it is.
class TrafficLightState {
public:
    enum class Look { Inactive, Active, Hover };

    bool activeState() const { return active_; } // kept: named by the design, no caller yet
    bool hoverState() const { return hover_; } // kept: named by the design, no caller yet

    // A window of the application became main (and the light's own setup).
    Look setActiveState();
    // A window of the application resigned main.
    Look setInactiveState();
    // The pointer entered or left a tab bar: only an active light follows it.
    std::optional<Look> hoverIn();
    std::optional<Look> hoverOut();
    // Pressing clears the hover flag and releasing sets it; neither changes the picture.
    void mouseDown() { hover_ = false; }
    void mouseUp() { hover_ = true; }

private:
    bool active_ = false;
    bool hover_ = false;
};
