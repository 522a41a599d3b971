// /proc/cpuinfo.
#include "platform/kernel/CpuInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    platform::cpuBrandString(text);
    platform::cpuFrequencyFromCpuInfo(text);
    return 0;
}
