#pragma once

#include "IORegistry.h"

namespace platform {

class SimulatedMac;

// The registry of the simulated Mac, from its state file "Mac":
// - "SerialNumber" (text) is the "IOPlatformSerialNumber" of "IOService:/";
// - "Processors" (array) are the services matched by the name "processor", each a dictionary
//   {"Name": text, "Properties": dictionary, "Children": array of the same}. Without it there
//   is one processor per processor of this machine, named "CPU0", "CPU1", ..., with no
//   properties, so no "IOCPUID".
class SimulatedIORegistry final : public IORegistry {
public:
    explicit SimulatedIORegistry(const SimulatedMac& mac);

    std::optional<IORegistryEntry> entryFromPath(const QString& path) const override;
    kern_return_t getMatchingServicesByName(const QString& name,
                                            std::vector<IORegistryEntry>* services) const override;

    // The entries of a "Processors" value; malformed elements are left out.
    static std::vector<IORegistryEntry> entriesFromState(const QVariantList& list);

private:
    const SimulatedMac& mac_;
};

} // namespace platform
