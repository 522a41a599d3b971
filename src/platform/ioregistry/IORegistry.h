#pragma once

#include "IORegistryEntry.h"
#include "platform/kernel/MachTypes.h"

#include <cstdint>
#include <optional>

namespace platform {

// The I/O registry: the platform's own entry ("IOService:/", with "IOPlatformSerialNumber")
// and the services matched by name, such as the processors ("processor", with "IOCPUID").
class IORegistry {
public:
    virtual ~IORegistry() = default;

    // IORegistryEntryFromPath: nothing when there is no entry at `path`.
    virtual std::optional<IORegistryEntry> entryFromPath(const QString& path) const = 0;
    // IOServiceGetMatchingServices with IOServiceNameMatching(`name`): the matching services
    // in registry order, each with the entries below it. Gives KERN_SUCCESS when the
    // services were listed.
    virtual kern_return_t getMatchingServicesByName(const QString& name,
                                                    std::vector<IORegistryEntry>* services) const = 0;
};

} // namespace platform
