// What the sound servers' tools print: wpctl's volume, pactl's sink volume and mute.
#include "platform/sound/SoundServerReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray output(reinterpret_cast<const char*>(data), qsizetype(size));
    platform::SoundServerReplies::parseWpctlVolume(output);
    platform::SoundServerReplies::parsePactlVolume(output);
    platform::SoundServerReplies::parsePactlMute(output);
    return 0;
}
