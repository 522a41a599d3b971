#pragma once

#include "HostStatistics.h"

#include <QString>

namespace platform {

// The host's counters from /proc/stat, /proc/meminfo and /proc/vmstat under `procRoot`, in
// pages of the system's page size.
class LinuxHostStatistics final : public HostStatistics {
public:
    explicit LinuxHostStatistics(QString procRoot = QStringLiteral("/proc"));

    host_t machHostSelf() const override { return kHostPort; }
    kern_return_t hostProcessorInfo(host_t host, std::vector<processor_cpu_load_info>& info) override;
    kern_return_t hostStatistics(host_t host, vm_statistics& vmstat) override;

    static constexpr host_t kHostPort = 0x103;

private:
    QString procRoot_;
    uint64_t pageSize_;
};

} // namespace platform
