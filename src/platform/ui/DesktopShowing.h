#pragma once

namespace platform::ui {

// Asks the window manager to show the desktop (_NET_SHOWING_DESKTOP), as hiding every other
// application does. False without an X11 session or when the request could not be sent.
bool showDesktopOnDesktop();

} // namespace platform::ui
