#include "LinuxHostStatistics.h"

#include "ProcMeminfo.h"
#include "ProcStat.h"
#include "platform/files/RegularFile.h"

#include <algorithm>
#include <unistd.h>

namespace platform {

LinuxHostStatistics::LinuxHostStatistics(QString procRoot)
    : procRoot_(std::move(procRoot))
    , pageSize_(uint64_t(std::max(sysconf(_SC_PAGESIZE), 1L)))
{
}

kern_return_t LinuxHostStatistics::hostProcessorInfo(host_t host, std::vector<processor_cpu_load_info>& info)
{
    if (host != kHostPort)
        return KERN_INVALID_ARGUMENT;
    const auto text = readRegularFile(procRoot_ + QStringLiteral("/stat"));
    auto cpus = text ? parseProcStat(*text) : std::nullopt;
    if (!cpus)
        return KERN_FAILURE;
    info = std::move(*cpus);
    return KERN_SUCCESS;
}

kern_return_t LinuxHostStatistics::hostStatistics(host_t host, vm_statistics& vmstat)
{
    if (host != kHostPort)
        return KERN_INVALID_ARGUMENT;
    const auto meminfo = readRegularFile(procRoot_ + QStringLiteral("/meminfo"));
    if (!meminfo)
        return KERN_FAILURE;
    const auto events = readRegularFile(procRoot_ + QStringLiteral("/vmstat"));
    const auto stats = parseProcMeminfo(*meminfo, events ? QByteArrayView(*events) : QByteArrayView(), pageSize_);
    if (!stats)
        return KERN_FAILURE;
    vmstat = *stats;
    return KERN_SUCCESS;
}

} // namespace platform
