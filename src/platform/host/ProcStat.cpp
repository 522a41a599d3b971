#include "ProcStat.h"

#include <charconv>
#include <cstdint>

namespace platform {

namespace {

// The fields of a line after its name: user nice system idle iowait irq softirq steal ...
// Older kernels give fewer; the missing ones are 0.
std::optional<processor_cpu_load_info> parseCpuLine(QByteArrayView fields)
{
    uint64_t values[7] = {};
    int count = 0;
    const char* p = fields.begin();
    const char* end = fields.end();
    while (p != end) {
        while (p != end && (*p == ' ' || *p == '\t'))
            ++p;
        if (p == end)
            break;
        uint64_t value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || (next != end && *next != ' ' && *next != '\t'))
            return std::nullopt;
        if (count < 7)
            values[count] = value;
        ++count;
        p = next;
    }
    if (count < 4)
        return std::nullopt;
    const auto [user, nice, system, idle, iowait, irq, softirq] = values;
    processor_cpu_load_info info{};
    info.cpu_ticks[CPU_STATE_USER] = natural_t(user);
    info.cpu_ticks[CPU_STATE_SYSTEM] = natural_t(system + irq + softirq);
    info.cpu_ticks[CPU_STATE_IDLE] = natural_t(idle + iowait);
    info.cpu_ticks[CPU_STATE_NICE] = natural_t(nice);
    return info;
}

bool isCpuName(QByteArrayView name)
{
    if (name.size() < 4 || !name.startsWith("cpu"))
        return false;
    for (char c : name.sliced(3))
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

std::optional<std::vector<processor_cpu_load_info>> parseProcStat(QByteArrayView text)
{
    std::vector<processor_cpu_load_info> cpus;
    while (!text.isEmpty()) {
        const qsizetype newline = text.indexOf('\n');
        const QByteArrayView line = newline < 0 ? text : text.first(newline);
        text = newline < 0 ? QByteArrayView() : text.sliced(newline + 1);
        const qsizetype space = line.indexOf(' ');
        if (space < 0 || !isCpuName(line.first(space)))
            continue;
        const auto info = parseCpuLine(line.sliced(space + 1));
        if (!info)
            return std::nullopt;
        cpus.push_back(*info);
    }
    if (cpus.empty())
        return std::nullopt;
    return cpus;
}

} // namespace platform
