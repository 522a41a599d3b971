#pragma once

#include "SSMemoryInfo.h"

#include "platform/host/HostStatistics.h"

#include <cstdint>

namespace platform {
class KernelValues;
}

// Samples the memory figures of the host.
class SSMemoryMonitor {
public:
    // On the installed platform's kernel values and host statistics.
    SSMemoryMonitor();
    SSMemoryMonitor(platform::KernelValues& kernel, platform::HostStatistics& host);

    // Refreshes `pagesize`, `totalMemory` and `vmstat`. Returns the error number of the last
    // size query that failed (that field keeps its value), else 0. A failed statistics request
    // is logged and keeps the previous `vmstat`.
    int getMemoryInfo();

    // A new sample, after getMemoryInfo.
    SSMemoryInfo usagePercent();

    // The sample for these figures. Used memory is the total less inactive and free memory,
    // and 0 when those two exceed the total.
    static SSMemoryInfo memoryInfo(uint64_t pagesize, uint64_t totalMemory, const platform::vm_statistics& vmstat);

    uint64_t pagesize = 4096;
    uint64_t totalMemory = 0;
    platform::vm_statistics vmstat{};

private:
    platform::KernelValues& kernel_;
    platform::HostStatistics& host_;
};
