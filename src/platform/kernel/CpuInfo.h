#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace platform {

// The processor's description in /proc/cpuinfo: the "model name" of the first processor (the
// "Processor" or "cpu model" line on systems without one), or nothing.
std::optional<QByteArray> cpuBrandString(QByteArrayView cpuinfo);

// The first processor's clock from its "cpu MHz" line, in hertz, or nothing.
std::optional<uint64_t> cpuFrequencyFromCpuInfo(QByteArrayView cpuinfo);

// A cpufreq "cpuinfo_max_freq" text (kilohertz) in hertz, or nothing.
std::optional<uint64_t> cpuFrequencyFromKilohertz(QByteArrayView text);

} // namespace platform
