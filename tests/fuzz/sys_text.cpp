// One-line texts of /sys: a thermal zone's type and temperature, cpufreq's cpuinfo_max_freq.
#include "platform/kernel/CpuInfo.h"
#include "platform/smc/ThermalZones.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    platform::cpuZoneRank(text);
    platform::parseZoneTemperature(text);
    platform::cpuFrequencyFromKilohertz(text);
    return 0;
}
