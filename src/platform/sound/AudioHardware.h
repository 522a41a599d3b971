#pragma once

#include "platform/MacTypes.h"

#include <QList>

#include <cstdint>

namespace platform {

// The audio hardware's objects and properties (Core Audio's): an object answers properties
// named by an address, whose data is a 32-bit number or a Float32.
using AudioObjectID = std::uint32_t;

inline constexpr AudioObjectID kAudioObjectSystemObject = 1;
inline constexpr AudioObjectID kAudioObjectUnknown = 0;

inline constexpr std::uint32_t kAudioHardwarePropertyDefaultOutputDevice = fourCharCode("dOut");
inline constexpr std::uint32_t kAudioHardwareServiceDeviceProperty_VirtualMasterVolume = fourCharCode("vmvc");
inline constexpr std::uint32_t kAudioDevicePropertyMute = fourCharCode("mute");
inline constexpr std::uint32_t kAudioDevicePropertyVolumeScalar = fourCharCode("volm");
inline constexpr std::uint32_t kAudioObjectPropertyScopeGlobal = fourCharCode("glob");
inline constexpr std::uint32_t kAudioDevicePropertyScopeOutput = fourCharCode("outp");
inline constexpr std::uint32_t kAudioObjectPropertyElementMaster = 0;

inline constexpr OSStatus kAudioHardwareNoError = 0;
inline constexpr OSStatus kAudioHardwareUnspecifiedError = OSStatus(fourCharCode("what"));
inline constexpr OSStatus kAudioHardwareUnknownPropertyError = OSStatus(fourCharCode("who?"));
inline constexpr OSStatus kAudioHardwareIllegalOperationError = OSStatus(fourCharCode("nope"));

struct AudioObjectPropertyAddress {
    std::uint32_t mSelector = 0;
    std::uint32_t mScope = 0;
    std::uint32_t mElement = 0;
    bool operator==(const AudioObjectPropertyAddress&) const = default;
};

// Called on the thread that changed the property, with the addresses that changed.
using AudioObjectPropertyListenerProc = OSStatus (*)(AudioObjectID object,
                                                     const QList<AudioObjectPropertyAddress>& addresses,
                                                     void* clientData);

// The default output device's master volume and mute, as the audio hardware services offer
// them. All calls are synchronous, on the calling thread.
class AudioHardware {
public:
    virtual ~AudioHardware() = default;

    virtual bool hasProperty(AudioObjectID object, const AudioObjectPropertyAddress& address) = 0;
    virtual OSStatus isPropertySettable(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                        bool* settable) = 0;
    // The system object's default output device is a number; the mute a number (1 muted); the
    // volumes Float32. Asking for the other kind fails with kAudioHardwareUnknownPropertyError.
    virtual OSStatus getPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                     std::uint32_t* data) = 0;
    virtual OSStatus getPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address, float* data) = 0;
    virtual OSStatus setPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                     std::uint32_t data) = 0;
    virtual OSStatus setPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address, float data) = 0;
    virtual OSStatus addPropertyListener(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                         AudioObjectPropertyListenerProc listener, void* clientData) = 0;
    virtual OSStatus removePropertyListener(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                            AudioObjectPropertyListenerProc listener, void* clientData) = 0;
};

} // namespace platform
