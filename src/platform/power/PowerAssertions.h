#pragma once

#include "platform/smc/SmcConnection.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace platform {

using IOPMAssertionID = uint32_t;
constexpr int kIOPMAssertionLevelOn = 255;
constexpr IOReturn kIOReturnNotFound = IOReturn(0xe00002f0);

// Power assertions (IOKit's power management) and the old activity call. Assertions still held
// when the area goes (the program ends) are released.
class PowerAssertions {
public:
    virtual ~PowerAssertions() = default;

    virtual int IOPMAssertionCreateWithName(const QString& type, int level, const QString& name,
                                            IOPMAssertionID* assertionID) = 0;
    virtual int IOPMAssertionRelease(IOPMAssertionID assertionID) = 0;
    virtual void UpdateSystemActivity(int activity) = 0;
};

// The session's idle inhibitor where the desktop offers one, else the simulated record.
std::unique_ptr<PowerAssertions> makePowerAssertions();

} // namespace platform
