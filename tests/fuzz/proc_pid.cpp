// The files of /proc/<pid>: stat, cmdline and the exe link's target.
#include "platform/workspace/ProcessRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    platform::ProcessRecord::fromStat(text);
    platform::ProcessRecord::splitCommandLine(text);
    platform::ProcessRecord::executableFromLink(text);
    return 0;
}
