#pragma once

namespace platform::ui {

// The window server's private calls that the program uses for the blur behind its windows.
// The desktop here offers no such blur: the radius is kept per window and nothing else
// happens, so the windows show their translucent fill alone.
using CGSConnectionID = int;

CGSConnectionID CGSDefaultConnectionForThread();
// 0 on success, as the window server answers.
int CGSSetWindowBackgroundBlurRadius(CGSConnectionID connection, int windowNumber, int radius);

// The radius last asked for a window (0 when none), and forgetting it when the window goes.
int windowBackgroundBlurRadius(int windowNumber);
void forgetWindowBackgroundBlurRadius(int windowNumber);

} // namespace platform::ui
