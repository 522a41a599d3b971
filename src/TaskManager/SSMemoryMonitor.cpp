#include "SSMemoryMonitor.h"

#include "platform/Platform.h"
#include "platform/kernel/KernelValues.h"
#include "platform/log/SystemLog.h"

#include <QByteArray>

#include <cstring>
#include <optional>

using namespace platform;

namespace {

// A kernel integer of 1, 2, 4 or 8 bytes in native order; nothing for another width.
std::optional<uint64_t> unsignedValue(const QByteArray& bytes)
{
    switch (bytes.size()) {
    case 1:
        return uint8_t(bytes[0]);
    case 2: {
        uint16_t value;
        std::memcpy(&value, bytes.constData(), sizeof value);
        return value;
    }
    case 4: {
        uint32_t value;
        std::memcpy(&value, bytes.constData(), sizeof value);
        return value;
    }
    case 8: {
        uint64_t value;
        std::memcpy(&value, bytes.constData(), sizeof value);
        return value;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

SSMemoryMonitor::SSMemoryMonitor()
    : SSMemoryMonitor(*Platform::current().kernelValues, *Platform::current().hostStatistics)
{
}

SSMemoryMonitor::SSMemoryMonitor(KernelValues& kernel, HostStatistics& host)
    : kernel_(kernel)
    , host_(host)
{
}

int SSMemoryMonitor::getMemoryInfo()
{
    int lastError = 0;
    for (const char* name : {"hw.pagesize", "hw.physmem", "hw.memsize"}) {
        std::size_t size = 0;
        if (const int error = kernel_.sysctlbyname(name, nullptr, &size)) {
            lastError = error;
            continue;
        }
        QByteArray buffer(qsizetype(size), '\0');
        if (kernel_.sysctlbyname(name, buffer.data(), &size) != 0)
            continue;
        buffer.truncate(qsizetype(size));
        const std::optional<uint64_t> value = unsignedValue(buffer);
        if (!value)
            continue;
        if (std::strcmp(name, "hw.pagesize") == 0)
            pagesize = *value;
        else if (std::strcmp(name, "hw.memsize") == 0)
            totalMemory = *value;
    }
    vm_statistics fresh = vmstat;
    if (host_.hostStatistics(host_.machHostSelf(), fresh) == KERN_SUCCESS)
        vmstat = fresh;
    else
        NSLog(QStringLiteral("host_statistics failed"));
    return lastError;
}

SSMemoryInfo SSMemoryMonitor::usagePercent()
{
    getMemoryInfo();
    return memoryInfo(pagesize, totalMemory, vmstat);
}

SSMemoryInfo SSMemoryMonitor::memoryInfo(uint64_t p, uint64_t total, const vm_statistics& vmstat)
{
    SSMemoryInfo info;
    info.setTotalMemory(total);
    info.setFreeMemory(vmstat.free_count * p);
    info.setWiredMemory(vmstat.wire_count * p);
    info.setActiveMemory(vmstat.active_count * p);
    info.setInactiveMemory(vmstat.inactive_count * p);
    const uint64_t notUsed = info.inactiveMemory() + info.freeMemory();
    info.setUsedMomory(notUsed < total ? total - notUsed : 0);
    info.setPageIn(vmstat.pageins * p);
    info.setPageOut(vmstat.pageouts * p);
    info.setVirtualMemory(vmstat.faults * p);
    return info;
}
