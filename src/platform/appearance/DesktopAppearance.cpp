#include "DesktopAppearance.h"

#include "platform/DesktopSession.h"
#include "GsettingsAppearance.h"
#include "SimulatedAppearance.h"

namespace platform {

std::unique_ptr<DesktopAppearance> makeDesktopAppearance(CommandRunner& runner, SimulatedMac& mac)
{
    if (hasDesktopSession() && GsettingsAppearance::isOffered(runner))
        return std::make_unique<GsettingsAppearance>(runner);
    return std::make_unique<SimulatedAppearance>(mac);
}

} // namespace platform
