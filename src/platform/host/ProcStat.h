#pragma once

#include "HostStatistics.h"

#include <QByteArrayView>

#include <optional>
#include <vector>

namespace platform {

// The per-processor lines ("cpuN ...") of /proc/stat as tick records, in the order listed:
// user = user (which holds guest time), nice = nice (which holds guest-nice time),
// system = system + irq + softirq, idle = idle + iowait; steal, time that the hypervisor gave
// to someone else, counts nowhere. Each sum is kept modulo 2^32, like the Mac's counters.
// Nothing when there is no processor line or one is malformed.
std::optional<std::vector<processor_cpu_load_info>> parseProcStat(QByteArrayView text);

} // namespace platform
