#include "OutputDeviceAudioHardware.h"

#include <algorithm>

namespace platform {

OutputDeviceAudioHardware::OutputDeviceAudioHardware(std::unique_ptr<OutputDevice> device)
    : device_(std::move(device))
{
}

OutputDeviceAudioHardware::~OutputDeviceAudioHardware() = default;

OutputDeviceAudioHardware::Property OutputDeviceAudioHardware::propertyOf(AudioObjectID object,
                                                                           const AudioObjectPropertyAddress& address) const
{
    if (object == kAudioObjectSystemObject)
        return address.mSelector == kAudioHardwarePropertyDefaultOutputDevice ? Property::DefaultOutput : Property::None;
    if (object != kOutputDeviceID || address.mScope != kAudioDevicePropertyScopeOutput
        || address.mElement != kAudioObjectPropertyElementMaster)
        return Property::None;
    switch (address.mSelector) {
    case kAudioHardwareServiceDeviceProperty_VirtualMasterVolume:
    case kAudioDevicePropertyVolumeScalar:
        return Property::Volume;
    case kAudioDevicePropertyMute:
        return Property::Mute;
    default:
        return Property::None;
    }
}

bool OutputDeviceAudioHardware::hasProperty(AudioObjectID object, const AudioObjectPropertyAddress& address)
{
    return propertyOf(object, address) != Property::None;
}

OSStatus OutputDeviceAudioHardware::isPropertySettable(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                                       bool* settable)
{
    const Property property = propertyOf(object, address);
    if (property == Property::None)
        return kAudioHardwareUnknownPropertyError;
    *settable = property != Property::DefaultOutput;
    return kAudioHardwareNoError;
}

OSStatus OutputDeviceAudioHardware::getPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                                    std::uint32_t* data)
{
    switch (propertyOf(object, address)) {
    case Property::DefaultOutput:
        // No reachable output: no default device.
        *data = device_->isAvailable() ? kOutputDeviceID : kAudioObjectUnknown;
        return kAudioHardwareNoError;
    case Property::Mute:
        if (const std::optional<bool> muted = device_->isMuted()) {
            *data = *muted ? 1 : 0;
            return kAudioHardwareNoError;
        }
        return kAudioHardwareUnspecifiedError;
    default:
        return kAudioHardwareUnknownPropertyError;
    }
}

OSStatus OutputDeviceAudioHardware::getPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                                    float* data)
{
    if (propertyOf(object, address) != Property::Volume)
        return kAudioHardwareUnknownPropertyError;
    const std::optional<float> volume = device_->volume();
    if (!volume)
        return kAudioHardwareUnspecifiedError;
    *data = *volume;
    return kAudioHardwareNoError;
}

OSStatus OutputDeviceAudioHardware::setPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                                    std::uint32_t data)
{
    if (propertyOf(object, address) != Property::Mute)
        return propertyOf(object, address) == Property::DefaultOutput ? kAudioHardwareIllegalOperationError
                                                                      : kAudioHardwareUnknownPropertyError;
    if (!device_->setMuted(data != 0))
        return kAudioHardwareUnspecifiedError;
    changed({kAudioDevicePropertyMute, kAudioDevicePropertyScopeOutput, kAudioObjectPropertyElementMaster});
    return kAudioHardwareNoError;
}

OSStatus OutputDeviceAudioHardware::setPropertyData(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                                    float data)
{
    if (propertyOf(object, address) != Property::Volume)
        return kAudioHardwareUnknownPropertyError;
    // A level outside the scale is not one the hardware takes.
    if (!(data >= 0.0f && data <= 1.0f))
        return kAudioHardwareIllegalOperationError;
    if (!device_->setVolume(data))
        return kAudioHardwareUnspecifiedError;
    changed({kAudioDevicePropertyVolumeScalar, kAudioDevicePropertyScopeOutput, kAudioObjectPropertyElementMaster});
    return kAudioHardwareNoError;
}

OSStatus OutputDeviceAudioHardware::addPropertyListener(AudioObjectID object, const AudioObjectPropertyAddress& address,
                                                        AudioObjectPropertyListenerProc listener, void* clientData)
{
    if (!listener)
        return kAudioHardwareIllegalOperationError;
    if (!hasProperty(object, address))
        return kAudioHardwareUnknownPropertyError;
    listeners_.push_back({object, address, listener, clientData});
    return kAudioHardwareNoError;
}

OSStatus OutputDeviceAudioHardware::removePropertyListener(AudioObjectID object,
                                                           const AudioObjectPropertyAddress& address,
                                                           AudioObjectPropertyListenerProc listener, void* clientData)
{
    const auto found = std::find(listeners_.begin(), listeners_.end(), Listener{object, address, listener, clientData});
    if (found == listeners_.end())
        return kAudioHardwareUnknownPropertyError;
    listeners_.erase(found);
    return kAudioHardwareNoError;
}

void OutputDeviceAudioHardware::changed(const AudioObjectPropertyAddress& address)
{
    // A copy: a listener may remove itself (or another) while it is called.
    const std::vector<Listener> listeners = listeners_;
    for (const Listener& listener : listeners) {
        if (listener.object == kOutputDeviceID && listener.address == address
            && std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            listener.proc(kOutputDeviceID, {address}, listener.clientData);
    }
}

} // namespace platform
