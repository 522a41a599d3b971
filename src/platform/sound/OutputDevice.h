#pragma once

#include <optional>

namespace platform {

// The machine's default sound output as a level and a mute switch. A level is a fraction
// 0.0 to 1.0; no value means the output cannot be reached.
class OutputDevice {
public:
    virtual ~OutputDevice() = default;

    // Whether there is an output to ask at all (cheap: asked before every change).
    virtual bool isAvailable() = 0;

    virtual std::optional<float> volume() = 0;
    virtual std::optional<bool> isMuted() = 0;
    virtual bool setVolume(float volume) = 0;
    virtual bool setMuted(bool muted) = 0;
};

} // namespace platform
