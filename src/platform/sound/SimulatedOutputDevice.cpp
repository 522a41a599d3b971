#include "SimulatedOutputDevice.h"

#include "platform/simulated/SimulatedMac.h"

namespace platform {

namespace {
const QString kState = QStringLiteral("Sound");
const QString kAvailable = QStringLiteral("OutputAvailable");
const QString kVolume = QStringLiteral("OutputVolume");
const QString kMuted = QStringLiteral("OutputMuted");
constexpr float kFirstVolume = 0.5f;
} // namespace

SimulatedOutputDevice::SimulatedOutputDevice(SimulatedMac& mac)
    : mac_(mac)
{
}

bool SimulatedOutputDevice::isAvailable()
{
    const QVariant value = mac_.stateValue(kState, kAvailable);
    return !value.isValid() || value.toBool();
}

void SimulatedOutputDevice::setAvailable(bool available)
{
    mac_.setStateValue(kState, kAvailable, available);
}

std::optional<float> SimulatedOutputDevice::volume()
{
    if (!isAvailable())
        return std::nullopt;
    const QVariant value = mac_.stateValue(kState, kVolume);
    return value.isValid() ? value.toFloat() : kFirstVolume;
}

std::optional<bool> SimulatedOutputDevice::isMuted()
{
    if (!isAvailable())
        return std::nullopt;
    return mac_.stateValue(kState, kMuted).toBool();
}

bool SimulatedOutputDevice::setVolume(float volume)
{
    return isAvailable() && mac_.setStateValue(kState, kVolume, double(volume));
}

bool SimulatedOutputDevice::setMuted(bool muted)
{
    return isAvailable() && mac_.setStateValue(kState, kMuted, muted);
}

} // namespace platform
