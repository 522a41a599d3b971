#pragma once

#include "AudioHardware.h"
#include "OutputDevice.h"

#include <memory>
#include <vector>

namespace platform {

// The audio hardware of this machine as one output device, the default one, over a level and
// a mute switch. The device answers the master volume, the mute and the volume scalar on its
// master element. Listeners hear of the changes made through this object (the level and the
// mute have no change signal of their own here).
class OutputDeviceAudioHardware final : public AudioHardware {
public:
    static constexpr AudioObjectID kOutputDeviceID = 0x2b;

    explicit OutputDeviceAudioHardware(std::unique_ptr<OutputDevice> device);
    ~OutputDeviceAudioHardware() override;

    OutputDevice& device() { return *device_; }

    bool hasProperty(AudioObjectID object, const AudioObjectPropertyAddress& address) override;
    OSStatus isPropertySettable(AudioObjectID object, const AudioObjectPropertyAddress& address, bool* settable) override;
    OSStatus getPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address, std::uint32_t* data) override;
    OSStatus getPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address, float* data) override;
    OSStatus setPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address, std::uint32_t data) override;
    OSStatus setPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address, float data) override;
    OSStatus addPropertyListener(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                 AudioObjectPropertyListenerProc listener, void* clientData) override;
    OSStatus removePropertyListener(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                    AudioObjectPropertyListenerProc listener, void* clientData) override;

private:
    enum class Property { None, DefaultOutput, Volume, Mute };
    Property propertyOf(AudioObjectID object, const AudioObjectPropertyAddress& address) const;
    void changed(const AudioObjectPropertyAddress& address);

    struct Listener {
        AudioObjectID object;
        AudioObjectPropertyAddress address;
        AudioObjectPropertyListenerProc proc;
        void* clientData;
        bool operator==(const Listener&) const = default;
    };

    std::unique_ptr<OutputDevice> device_;
    std::vector<Listener> listeners_;
};

} // namespace platform
