#include "CpuInfo.h"

#include <QList>

#include <charconv>
#include <cmath>

namespace platform {

namespace {

// The value after the colon of the first line whose key (trimmed) is `key`.
std::optional<QByteArrayView> field(QByteArrayView text, QByteArrayView key)
{
    while (!text.isEmpty()) {
        qsizetype end = text.indexOf('\n');
        const QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        const qsizetype colon = line.indexOf(':');
        if (colon >= 0 && line.first(colon).trimmed() == key)
            return line.sliced(colon + 1).trimmed();
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> cpuBrandString(QByteArrayView cpuinfo)
{
    for (const char* key : {"model name", "Processor", "cpu model"}) {
        if (const auto value = field(cpuinfo, key); value && !value->isEmpty())
            return value->toByteArray();
    }
    return std::nullopt;
}

std::optional<uint64_t> cpuFrequencyFromCpuInfo(QByteArrayView cpuinfo)
{
    const auto value = field(cpuinfo, "cpu MHz");
    if (!value)
        return std::nullopt;
    double megahertz = 0;
    const auto [end, error] = std::from_chars(value->begin(), value->end(), megahertz);
    if (error != std::errc() || end != value->end() || !(megahertz > 0) || megahertz > 1e9)
        return std::nullopt;
    return uint64_t(std::llround(megahertz * 1e6));
}

std::optional<uint64_t> cpuFrequencyFromKilohertz(QByteArrayView text)
{
    text = text.trimmed();
    uint64_t kilohertz = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), kilohertz);
    if (error != std::errc() || end != text.end() || kilohertz == 0 || kilohertz > UINT64_MAX / 1000)
        return std::nullopt;
    return kilohertz * 1000;
}

} // namespace platform
