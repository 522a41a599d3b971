#include "SSCpuMonitor.h"

#include "platform/Platform.h"

using namespace platform;

SSCpuMonitor::SSCpuMonitor()
    : SSCpuMonitor(*Platform::current().hostStatistics)
{
}

SSCpuMonitor::SSCpuMonitor(HostStatistics& statistics)
    : statistics_(statistics)
    , host(statistics.machHostSelf())
{
}

uint32_t SSCpuMonitor::getNumCPUs()
{
    std::vector<processor_cpu_load_info> ticks;
    const kern_return_t result = statistics_.hostProcessorInfo(host, ticks);
    std::lock_guard lock(mutex_);
    if (result != KERN_SUCCESS) {
        priorCPUTicks.clear();
        return 0;
    }
    priorCPUTicks = std::move(ticks);
    return uint32_t(priorCPUTicks.size());
}

std::optional<QList<QVariantMap>> SSCpuMonitor::monitorCPU()
{
    std::vector<processor_cpu_load_info> ticks;
    if (statistics_.hostProcessorInfo(host, ticks) != KERN_SUCCESS)
        return std::nullopt;

    std::lock_guard lock(mutex_);
    if (ticks.empty() || ticks.size() != priorCPUTicks.size()) {
        // Processors came or went (or there was no snapshot): nothing to compare with.
        priorCPUTicks = std::move(ticks);
        return std::nullopt;
    }
    QList<QVariantMap> entries;
    entries.reserve(qsizetype(ticks.size()));
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const natural_t* now = ticks[i].cpu_ticks;
        const natural_t* before = priorCPUTicks[i].cpu_ticks;
        // 32-bit counters wrap: their differences are taken modulo 2^32.
        const natural_t user = now[CPU_STATE_USER] - before[CPU_STATE_USER];
        const natural_t system = now[CPU_STATE_SYSTEM] - before[CPU_STATE_SYSTEM];
        const natural_t idle = now[CPU_STATE_IDLE] - before[CPU_STATE_IDLE];
        const natural_t nice = now[CPU_STATE_NICE] - before[CPU_STATE_NICE];
        const uint64_t userAndNice = uint64_t(user) + nice;
        uint64_t total = userAndNice + system + idle;
        if (total == 0)
            total = 1;
        entries.append({{QStringLiteral("system"), float(double(system) / double(total))},
                        {QStringLiteral("user"), float(double(userAndNice) / double(total))}});
    }
    priorCPUTicks = std::move(ticks);
    return entries;
}
