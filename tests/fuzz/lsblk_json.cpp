// lsblk's JSON output as the stand-in diskutil maps it to disks, numbered as it numbers them.
#include "DiskNumbering.h"
#include "LsblkMapper.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray json = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QMap<QString, int> numbers = DiskNumbering::assign({}, LsblkMapper::diskNames(json), 4);
    LsblkMapper::disks(json, numbers, [](const QString&) { return std::optional<qint64>(1); });
    return 0;
}
