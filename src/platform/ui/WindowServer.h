#pragma once

#include "WindowBackdrop.h"

#include <optional>

namespace platform::ui {

// The window server's private calls that the program uses for the blur behind its windows.
// Here the window keeps the radius and blurs what lies beneath it as the desktop allows.
using CGSConnectionID = int;

CGSConnectionID CGSDefaultConnectionForThread();
// 0 on success, as the window server answers; 1 when no window has that number.
int CGSSetWindowBackgroundBlurRadius(CGSConnectionID connection, int windowNumber, int radius);

// How the desktop shows translucent windows: asked of X at every call; the offscreen desktop
// has nothing beneath to blur, and another desktop is taken to blur nothing. A test may speak
// for it.
WindowBackdrop::Desktop desktopCompositing();
void speakForDesktopCompositing(std::optional<WindowBackdrop::Desktop> desktop);

// Whether a window manager runs, to miniaturise windows (X says; elsewhere there is one). A
// test may speak for the desktop.
bool desktopHasWindowManager();
void speakForDesktopWindowManager(std::optional<bool> present);

} // namespace platform::ui
