#include "MasterVolume.h"

#include "platform/Platform.h"
#include "platform/log/SystemLog.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/text/StringFormat.h"

using namespace platform;

namespace {

constexpr double kMuteBelow = 0.001;

AudioHardware& audio()
{
    return *Platform::current().audio;
}

constexpr AudioObjectPropertyAddress outputAddress(std::uint32_t selector, std::uint32_t element = 0)
{
    return {selector, kAudioDevicePropertyScopeOutput, element};
}

bool isSettable(AudioObjectID device, const AudioObjectPropertyAddress& address)
{
    bool settable = false;
    return audio().hasProperty(device, address)
        && audio().isPropertySettable(device, address, &settable) == kAudioHardwareNoError && settable;
}

void logForDevice(const char* format, AudioObjectID device)
{
    NSLog(stringWithFormat(format, unsigned(device)));
}

void logNoDevice()
{
    NSLog(QStringLiteral("Cannot find default output device!"));
}

// The volume-scalar listeners: on the master element, else on the two channels.
template <typename Change>
void changeVolumeListeners(Change change)
{
    const AudioObjectID device = defaultOutputDeviceID();
    if (device == kAudioObjectUnknown) {
        logNoDevice();
        return;
    }
    const AudioObjectPropertyAddress master = outputAddress(kAudioDevicePropertyVolumeScalar);
    if (audio().hasProperty(device, master)) {
        change(device, master);
        return;
    }
    for (std::uint32_t channel : {1u, 2u})
        change(device, outputAddress(kAudioDevicePropertyVolumeScalar, channel));
}

} // namespace

AudioObjectID defaultOutputDeviceID()
{
    const AudioObjectPropertyAddress address{kAudioHardwarePropertyDefaultOutputDevice, kAudioObjectPropertyScopeGlobal,
                                             kAudioObjectPropertyElementMaster};
    std::uint32_t device = kAudioObjectUnknown;
    if (!audio().hasProperty(kAudioObjectSystemObject, address)
        || audio().getPropertyData(kAudioObjectSystemObject, address, &device) != kAudioHardwareNoError)
        return kAudioObjectUnknown;
    return device;
}

double getMasterVolume()
{
    const AudioObjectID device = defaultOutputDeviceID();
    if (device == kAudioObjectUnknown) {
        logNoDevice();
        return 0.0;
    }
    const AudioObjectPropertyAddress address = outputAddress(kAudioHardwareServiceDeviceProperty_VirtualMasterVolume);
    float volume = 0;
    if (audio().hasProperty(device, address) && audio().getPropertyData(device, address, &volume) == kAudioHardwareNoError)
        return volume >= 0.0f && volume <= 1.0f ? double(volume) : 0.0;
    logForDevice("No volume returned for device 0x%0x", device);
    return 0.0;
}

void setMasterVolume(double volume)
{
    if (!(volume >= 0.0 && volume <= 1.0))
        return;
    const AudioObjectID device = defaultOutputDeviceID();
    if (device == kAudioObjectUnknown)
        logNoDevice();
    const bool mute = volume < kMuteBelow;
    const AudioObjectPropertyAddress muteAddress = outputAddress(kAudioDevicePropertyMute);
    const AudioObjectPropertyAddress volumeAddress = outputAddress(kAudioHardwareServiceDeviceProperty_VirtualMasterVolume);
    if (!isSettable(device, mute ? muteAddress : volumeAddress)) {
        logForDevice("Device 0x%0x does not support volume control", device);
        return;
    }
    if (!mute) {
        if (audio().setPropertyData(device, volumeAddress, float(volume)) != kAudioHardwareNoError)
            logForDevice("Unable to set volume for device 0x%0x", device);
        if (!isSettable(device, muteAddress)) {
            logForDevice("Device 0x%0x does not support muting", device);
            return;
        }
    }
    if (audio().setPropertyData(device, muteAddress, std::uint32_t(mute ? 1 : 0)) != kAudioHardwareNoError)
        logForDevice("Unable to set volume for device 0x%0x", device);
}

OSStatus LXAudioObjectPropertyListenerProc(AudioObjectID object, const QList<AudioObjectPropertyAddress>& addresses,
                                           void*)
{
    for (const AudioObjectPropertyAddress& address : addresses) {
        float volume = 0;
        if (address.mSelector == kAudioDevicePropertyVolumeScalar
            && audio().getPropertyData(object, address, &volume) == kAudioHardwareNoError)
            NotificationCenter::defaultCenter().postNotificationName(LXMasterVolumeChangedNotification, nullptr);
    }
    return kAudioHardwareNoError;
}

void startMasterVolumeChangeNotification()
{
    changeVolumeListeners([](AudioObjectID device, const AudioObjectPropertyAddress& address) {
        audio().addPropertyListener(device, address, LXAudioObjectPropertyListenerProc, nullptr);
    });
}

void stopMasterVolumeChangeNotification()
{
    changeVolumeListeners([](AudioObjectID device, const AudioObjectPropertyAddress& address) {
        audio().removePropertyListener(device, address, LXAudioObjectPropertyListenerProc, nullptr);
    });
}
