#include "ProcMeminfo.h"

#include <algorithm>
#include <charconv>

namespace platform {

namespace {

// Calls `take(key, number)` for every "key: number" or "key number" line.
template <typename Take>
void forEachNumber(QByteArrayView text, Take take)
{
    while (!text.isEmpty()) {
        const qsizetype newline = text.indexOf('\n');
        QByteArrayView line = newline < 0 ? text : text.first(newline);
        text = newline < 0 ? QByteArrayView() : text.sliced(newline + 1);
        qsizetype split = line.indexOf(':');
        if (split < 0)
            split = line.indexOf(' ');
        if (split <= 0)
            continue;
        const QByteArrayView key = line.first(split);
        QByteArrayView rest = line.sliced(split + 1).trimmed();
        uint64_t number = 0;
        const auto [end, error] = std::from_chars(rest.begin(), rest.end(), number);
        if (error == std::errc() && end != rest.begin())
            take(key, number);
    }
}

} // namespace

std::optional<vm_statistics> parseProcMeminfo(QByteArrayView meminfo, QByteArrayView vmstat, uint64_t pageSize)
{
    if (pageSize == 0)
        return std::nullopt;
    std::optional<uint64_t> memFree, active, inactive;
    uint64_t wired = 0;
    forEachNumber(meminfo, [&](QByteArrayView key, uint64_t kilobytes) {
        if (key == "MemFree")
            memFree = kilobytes;
        else if (key == "Active")
            active = kilobytes;
        else if (key == "Inactive")
            inactive = kilobytes;
        else if (key == "Unevictable" || key == "KernelStack" || key == "PageTables" || key == "SUnreclaim")
            wired += kilobytes;
    });
    if (!memFree || !active || !inactive)
        return std::nullopt;

    const auto pages = [pageSize](uint64_t kilobytes) {
        const uint64_t count = kilobytes > UINT64_MAX / 1024 ? UINT64_MAX / pageSize : kilobytes * 1024 / pageSize;
        return natural_t(std::min<uint64_t>(count, UINT32_MAX));
    };
    vm_statistics stats{};
    stats.free_count = pages(*memFree);
    stats.active_count = pages(*active);
    stats.inactive_count = pages(*inactive);
    stats.wire_count = pages(wired);
    forEachNumber(vmstat, [&](QByteArrayView key, uint64_t count) {
        if (key == "pgactivate")
            stats.reactivations = natural_t(count);
        else if (key == "pgmajfault")
            stats.pageins = natural_t(count);
        else if (key == "pswpout")
            stats.pageouts = natural_t(count);
        else if (key == "pgfault")
            stats.faults = natural_t(count);
    });
    return stats;
}

} // namespace platform
