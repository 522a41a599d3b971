#pragma once

#include <memory>

namespace platform {

class CommandRunner;
class SimulatedMac;

// The desktop's own counterparts of the Mac's dark mode and night shift.
class DesktopAppearance {
public:
    virtual ~DesktopAppearance() = default;

    virtual void setDarkColorScheme(bool dark) = 0;
    virtual void setNightLight(bool on) = 0;
};

// The desktop's settings where the session offers a colour scheme (GNOME's `gsettings` keys),
// else the simulated Mac's record. Decided once, here.
std::unique_ptr<DesktopAppearance> makeDesktopAppearance(CommandRunner& runner, SimulatedMac& mac);

} // namespace platform
