#pragma once

#include <QByteArray>

#include <optional>

namespace platform {

// What the sound servers' command-line tools print, read. A level is the server's own, which
// may pass 1.0 (a volume above 100 %).
namespace SoundServerReplies {

struct WpctlVolume {
    float volume = 0;
    bool muted = false;
};

// `wpctl get-volume`: "Volume: 0.40", with " [MUTED]" when muted.
std::optional<WpctlVolume> parseWpctlVolume(const QByteArray& output);
// `pactl get-sink-volume`: the loudest channel's raw value over 65536 (PulseAudio's 100 %).
std::optional<float> parsePactlVolume(const QByteArray& output);
// `pactl get-sink-mute`: "Mute: yes" or "Mute: no".
std::optional<bool> parsePactlMute(const QByteArray& output);

} // namespace SoundServerReplies

} // namespace platform
