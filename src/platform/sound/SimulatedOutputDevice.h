#pragma once

#include "OutputDevice.h"

namespace platform {

class SimulatedMac;

// The simulated Mac's speakers: level and mute kept in its "Sound" state, so they survive a
// restart. A level is kept as given, even outside 0 to 1, as a device may report one.
class SimulatedOutputDevice final : public OutputDevice {
public:
    explicit SimulatedOutputDevice(SimulatedMac& mac);

    // Whether there is an output device at all.
    void setAvailable(bool available);

    bool isAvailable() override;
    std::optional<float> volume() override;
    std::optional<bool> isMuted() override;
    bool setVolume(float volume) override;
    bool setMuted(bool muted) override;

private:
    SimulatedMac& mac_;
};

} // namespace platform
