#pragma once

#include "platform/kernel/MachTypes.h"

#include <vector>

namespace platform {

// The order of one processor's tick counters.
enum : int { CPU_STATE_USER = 0, CPU_STATE_SYSTEM = 1, CPU_STATE_IDLE = 2, CPU_STATE_NICE = 3, CPU_STATE_MAX = 4 };

// One processor's ticks since start-up (PROCESSOR_CPU_LOAD_INFO). The counters are 32 bits
// wide and wrap.
struct processor_cpu_load_info {
    natural_t cpu_ticks[CPU_STATE_MAX];
};

// The host's virtual-memory statistics (HOST_VM_INFO), in pages.
struct vm_statistics {
    natural_t free_count;
    natural_t active_count;
    natural_t inactive_count;
    natural_t wire_count;
    natural_t zero_fill_count;
    natural_t reactivations;
    natural_t pageins;
    natural_t pageouts;
    natural_t faults;
    natural_t cow_faults;
    natural_t lookups;
    natural_t hits;
    natural_t purgeable_count;
    natural_t purges;
    natural_t speculative_count;
};
static_assert(sizeof(vm_statistics) == 15 * sizeof(natural_t));

// Per-CPU tick counters and virtual-memory statistics of the host.
class HostStatistics {
public:
    virtual ~HostStatistics() = default;

    // mach_host_self: the port that names this host.
    virtual host_t machHostSelf() const = 0;
    // host_processor_info with PROCESSOR_CPU_LOAD_INFO: one record per processor, in processor
    // order. On failure `info` is left as it was.
    virtual kern_return_t hostProcessorInfo(host_t host, std::vector<processor_cpu_load_info>& info) = 0;
    // host_statistics with HOST_VM_INFO. On failure `vmstat` is left as it was.
    virtual kern_return_t hostStatistics(host_t host, vm_statistics& vmstat) = 0;
};

} // namespace platform
