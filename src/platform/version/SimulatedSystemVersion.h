#pragma once

#include "SystemVersionSource.h"

#include <QString>

namespace platform {

class SimulatedMac;

// The simulated Mac's OS version (TAVRIN_OS_VERSION or its state), read at every request.
// From 11 on, the minor version ('sys2') answers 16, as a Mac answers programs built for 10.x:
// `getSystemVersion` reads 1116 for 11.2, and every gate of the program (against 1016 or 1400)
// still passes as it would there.
class SimulatedSystemVersion final : public SystemVersionSource {
public:
    explicit SimulatedSystemVersion(const SimulatedMac& mac);
    OSErr gestalt(OSType selector, int32_t* response) const override;

    // The answer to `selector` for a version text such as "10.13.6". Exposed for tests.
    static OSErr answer(const QString& version, OSType selector, int32_t* response);

private:
    const SimulatedMac& mac_;
};

} // namespace platform
