#pragma once

#include "platform/ui/Geometry.h"

#include <functional>

class PopViewController;

// The anchor of pop-ups: 3 points left of the middle of the main window's bottom edge, or
// (-3, 0) without a main window.
platform::ui::Point popUpAnchor();

// Shows a dialog the one way every tool does: the controller's view in a light attached
// window below the anchor, stored as the controller's superDelegate, `prepare` run (names,
// texts, flags), then centred and run modally for the whole application. Returns when the
// window closes (the controller's closeWindow) and the window is gone.
void runModalPopUp(PopViewController& controller, const std::function<void()>& prepare = {});
