#pragma once

#include "SystemVersionSource.h"

#include <QString>

namespace platform {

class SimulatedMac;

// The simulated Mac's OS version (TAVRIN_OS_VERSION or its state), read at every request.
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
