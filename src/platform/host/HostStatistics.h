#pragma once

namespace platform {

// Per-CPU tick counters and virtual-memory statistics of the host.
class HostStatistics {
public:
    virtual ~HostStatistics() = default;
};

} // namespace platform
