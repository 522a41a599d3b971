// /proc/stat.
#include "platform/host/ProcStat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::parseProcStat(QByteArrayView(data, qsizetype(size)));
    return 0;
}
