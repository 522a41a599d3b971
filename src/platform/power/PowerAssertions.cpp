#include "PowerAssertions.h"

#include "IdleInhibitor.h"
#include "SimulatedPowerAssertions.h"

#include "platform/DesktopSession.h"

namespace platform {

std::unique_ptr<PowerAssertions> makePowerAssertions()
{
    if (hasDesktopSession()) {
        if (auto inhibitor = IdleInhibitor::create())
            return inhibitor;
    }
    return std::make_unique<SimulatedPowerAssertions>();
}

} // namespace platform
