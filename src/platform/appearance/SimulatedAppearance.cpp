#include "SimulatedAppearance.h"

#include "platform/simulated/SimulatedMac.h"

namespace platform {

void SimulatedAppearance::setDarkColorScheme(bool dark)
{
    mac_.setStateValue(QStringLiteral("Desktop"), QStringLiteral("DarkColorScheme"), dark);
}

void SimulatedAppearance::setNightLight(bool on)
{
    mac_.setStateValue(QStringLiteral("Desktop"), QStringLiteral("NightLight"), on);
}

} // namespace platform
