#pragma once

#include "platform/host/HostStatistics.h"

#include <QList>
#include <QVariantMap>

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

// Samples the load of every processor: each sample covers the time since the previous one.
class SSCpuMonitor {
public:
    // On the installed platform's host statistics.
    SSCpuMonitor();
    explicit SSCpuMonitor(platform::HostStatistics& statistics);

    // The processor count, taking the first snapshot; 0 (and no snapshot) when the host cannot
    // be asked.
    uint32_t getNumCPUs();

    // One entry per processor, in processor order: "user" (user and nice time) and "system",
    // each a float fraction of the time since the snapshot, which the sample then replaces.
    // Nothing when the host cannot be asked, and nothing when the host reports another number
    // of processors than the snapshot holds (none before a successful getNumCPUs): the sample
    // then becomes the new snapshot, and the next one compares with it.
    std::optional<QList<QVariantMap>> monitorCPU();

private:
    platform::HostStatistics& statistics_;
    platform::host_t host;
    std::mutex mutex_;
    std::vector<platform::processor_cpu_load_info> priorCPUTicks;
};
