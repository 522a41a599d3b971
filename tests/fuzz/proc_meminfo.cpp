// /proc/meminfo and /proc/vmstat, given as one input split at its first NUL byte; the page
// size comes from the first byte (0 included).
#include "platform/host/ProcMeminfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint64_t pageSize = data[0] == 0 ? 0 : uint64_t(1) << (data[0] % 64);
    const QByteArrayView text(data + 1, qsizetype(size - 1));
    const qsizetype nul = text.indexOf('\0');
    platform::parseProcMeminfo(nul < 0 ? text : text.first(nul), nul < 0 ? QByteArrayView() : text.sliced(nul + 1),
                               pageSize);
    return 0;
}
