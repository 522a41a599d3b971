#include "SimulatedDisplays.h"

#include "platform/simulated/SimulatedMac.h"

#include <algorithm>

namespace platform {

namespace {
const QString kState = QStringLiteral("Displays");
constexpr float kFirstBrightness = 0.75f;
} // namespace

std::vector<SimulatedDisplays::Display> SimulatedDisplays::defaultDisplays()
{
    return {{0x4280a40, true, kIOReturnUnsupported}, {0x4280a41, true, kIOReturnSuccess}};
}

SimulatedDisplays::SimulatedDisplays(SimulatedMac& mac, std::vector<Display> displays, CGError listError)
    : mac_(mac)
    , displays_(std::move(displays))
    , listError_(listError)
{
}

const SimulatedDisplays::Display* SimulatedDisplays::find(CGDirectDisplayID id) const
{
    const auto found = std::find_if(displays_.begin(), displays_.end(), [id](const Display& d) { return d.id == id; });
    return found == displays_.end() ? nullptr : &*found;
}

CGError SimulatedDisplays::getActiveDisplayList(std::uint32_t maxDisplays, QList<CGDirectDisplayID>* displays)
{
    displays->clear();
    for (const Display& display : displays_) {
        if (std::uint32_t(displays->size()) >= maxDisplays)
            break;
        displays->append(display.id);
    }
    return listError_;
}

bool SimulatedDisplays::displayHasCurrentMode(CGDirectDisplayID display)
{
    const Display* found = find(display);
    return found && found->hasCurrentMode;
}

IOReturn SimulatedDisplays::getFloatParameter(CGDirectDisplayID display, const QString& key, float* value)
{
    const Display* found = find(display);
    if (!found || key != kIODisplayBrightnessKey)
        return kIOReturnUnsupported;
    if (found->answer != kIOReturnSuccess)
        return found->answer;
    const QVariant stored = mac_.stateValue(kState, QString::number(display));
    *value = stored.isValid() ? stored.toFloat() : kFirstBrightness;
    return kIOReturnSuccess;
}

IOReturn SimulatedDisplays::setFloatParameter(CGDirectDisplayID display, const QString& key, float value)
{
    const Display* found = find(display);
    if (!found || key != kIODisplayBrightnessKey)
        return kIOReturnUnsupported;
    if (found->answer != kIOReturnSuccess)
        return found->answer;
    if (!mac_.setStateValue(kState, QString::number(display), double(std::clamp(value, 0.0f, 1.0f))))
        return kIOReturnError;
    return kIOReturnSuccess;
}

} // namespace platform
