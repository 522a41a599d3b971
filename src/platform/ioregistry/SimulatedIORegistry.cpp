#include "SimulatedIORegistry.h"

#include "platform/simulated/SimulatedMac.h"

#include <algorithm>
#include <unistd.h>

namespace platform {

namespace {

const QString kMacState = QStringLiteral("Mac");
// The registry is a tree, but a state file can hold anything: never recurse without end.
constexpr int kMaximumDepth = 32;
// The kernel's KERN_SUCCESS and KERN_INVALID_ARGUMENT.
constexpr int32_t kSuccess = 0;
constexpr int32_t kFailure = 4;

std::vector<IORegistryEntry> entriesAtDepth(const QVariantList& list, int depth)
{
    std::vector<IORegistryEntry> entries;
    if (depth > kMaximumDepth)
        return entries;
    for (const QVariant& element : list) {
        if (element.typeId() != QMetaType::QVariantMap)
            continue;
        const QVariantMap map = element.toMap();
        IORegistryEntry entry;
        entry.name = map.value(QStringLiteral("Name")).toString();
        entry.properties = map.value(QStringLiteral("Properties")).toMap();
        entry.children = entriesAtDepth(map.value(QStringLiteral("Children")).toList(), depth + 1);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

SimulatedIORegistry::SimulatedIORegistry(const SimulatedMac& mac)
    : mac_(mac)
{
}

std::vector<IORegistryEntry> SimulatedIORegistry::entriesFromState(const QVariantList& list)
{
    return entriesAtDepth(list, 0);
}

std::optional<IORegistryEntry> SimulatedIORegistry::entryFromPath(const QString& path) const
{
    if (path != QLatin1String("IOService:/"))
        return std::nullopt;
    IORegistryEntry root;
    root.name = QStringLiteral("Root");
    const QString serial = mac_.stateValue(kMacState, QStringLiteral("SerialNumber")).toString();
    if (!serial.isEmpty())
        root.properties.insert(QStringLiteral("IOPlatformSerialNumber"), serial);
    return root;
}

kern_return_t SimulatedIORegistry::getMatchingServicesByName(const QString& name,
                                                             std::vector<IORegistryEntry>* services) const
{
    if (!services)
        return kFailure;
    services->clear();
    if (name != QLatin1String("processor"))
        return kSuccess;
    const QVariant state = mac_.stateValue(kMacState, QStringLiteral("Processors"));
    if (state.isValid()) {
        *services = entriesFromState(state.toList());
        return kSuccess;
    }
    const long count = sysconf(_SC_NPROCESSORS_CONF);
    for (long i = 0; i < std::max(count, 1L); ++i)
        services->push_back({QStringLiteral("CPU%1").arg(i), {}, {}});
    return kSuccess;
}

} // namespace platform
