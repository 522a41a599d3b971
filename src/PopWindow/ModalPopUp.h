#pragma once

#include "platform/ui/Geometry.h"

#include <functional>

class PopViewController;

// The anchor of pop-ups: 3 points left of the middle of the main window's bottom edge, or
// (-3, 0) without a main window.
platform::ui::Point popUpAnchor();

// Shows a dialog the one way every tool does. The caller has made the controller (from its
// interface file) and set its delegate; here its view goes into a light attached window below
// the anchor (side 1, distance 5), the window becomes the controller's superDelegate,
// `prepare` runs (names, texts, flags), and the window is centred and run modally for the
// whole application. Returns when the window closes (the controller's closeWindow); the
// window is gone then.
void runModalPopUp(PopViewController& controller, const std::function<void()>& prepare = {});
