#pragma once

namespace platform {

// Whether the program runs inside a person's desktop session: a session bus and a display.
// Only then are real desktop back-ends (colour scheme, night light, idle inhibitor, sound,
// brightness) chosen; tests unset the bus address, so they always get the simulated ones.
bool hasDesktopSession();

} // namespace platform
