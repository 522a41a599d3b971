#pragma once

#include "OutputDevice.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>

namespace platform {

// The default output of the machine's sound server, PipeWire through `wpctl` or PulseAudio
// through `pactl`, each run from an argument vector. The server's level may pass 100 %; it is
// reported as 1.0 here, so that a loud output never reads as out of scale.
class SoundServerOutputDevice final : public OutputDevice {
public:
    enum class Tool { Wpctl, Pactl };
    // Runs a program (the first argument, found on PATH) and gives what it printed, or nothing
    // when it could not start, failed or did not answer in time.
    using Run = std::function<std::optional<QByteArray>(const QStringList& arguments)>;

    SoundServerOutputDevice(Tool tool, Run run);

    // The server that answers for its default output, wpctl's first; null when none does.
    static std::unique_ptr<SoundServerOutputDevice> detect(const Run& run);
    // Through `Subprocess`, with a time-out of two seconds.
    static std::optional<QByteArray> runProgram(const QStringList& arguments);

    // The server answered when it was found; a server gone since fails each call.
    bool isAvailable() override { return true; }
    std::optional<float> volume() override;
    std::optional<bool> isMuted() override;
    bool setVolume(float volume) override;
    bool setMuted(bool muted) override;

private:
    Tool tool_;
    Run run_;
};

} // namespace platform
