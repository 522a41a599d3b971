// lsblk's JSON output as the stand-in diskutil maps it to disks, numbered as it numbers them.
#include "DiskNumbering.h"
#include "LsblkMapper.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LsblkMapper mapper(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    mapper.disks(DiskNumbering::assign({}, mapper.diskNames(), 4), [](const QString&) { return std::optional<qint64>(1); });
    return 0;
}
