#pragma once

#include "DesktopAppearance.h"

namespace platform {

// Keeps the colour scheme and night light in the simulated Mac's "Desktop" state.
class SimulatedAppearance final : public DesktopAppearance {
public:
    explicit SimulatedAppearance(SimulatedMac& mac) : mac_(mac) {}

    void setDarkColorScheme(bool dark) override;
    void setNightLight(bool on) override;

private:
    SimulatedMac& mac_;
};

} // namespace platform
