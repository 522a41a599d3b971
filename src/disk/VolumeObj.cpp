#include "VolumeObj.h"

namespace {

bool usable(const QString& uuid)
{
    return !uuid.isEmpty() && uuid != QLatin1String(" ") && uuid != QLatin1String("(null)");
}

} // namespace

VolumeObj VolumeObj::fromVolumeDictionary(const QVariantMap& v)
{
    VolumeObj r;
    r.volumeName = v.value(QStringLiteral("volumeName")).toString();
    r.volumePath = v.value(QStringLiteral("volumePath")).toString();
    r.volumeMountPoint = v.value(QStringLiteral("MountPoint")).toString();
    r.volumeTotalSize = v.value(QStringLiteral("volumeTotalSize")).toString();
    r.volumeFreeSize = v.value(QStringLiteral("volumeFreeSize")).toString();
    r.volumeTotalSizeNum = v.value(QStringLiteral("TotalSize")).toString().toLongLong();
    r.volumeFreeSizeNum = v.value(QStringLiteral("FreeSpace")).toString().toLongLong();
    r.BusProtocol = v.value(QStringLiteral("BusProtocol")).toString();
    r.diskType = v.value(QStringLiteral("FilesystemName")).toString();
    r.diskUUID = v.value(QStringLiteral("DiskUUID")).toString();
    r.volumeUUID = v.value(QStringLiteral("VolumeUUID")).toString();
    if (v.contains(QStringLiteral("MountPoint")))
        r.volRootDir = r.volumeMountPoint;
    r.parentWholeDisk = v.value(QStringLiteral("ParentWholeDisk")).toString();
    r.isWritable = v.value(QStringLiteral("Writable")).toBool();
    r.bCanEject = v.value(QStringLiteral("Ejectable")).toBool();
    return r;
}

QString VolumeObj::identity() const
{
    return usable(diskUUID) ? diskUUID : usable(volumeUUID) ? volumeUUID : QString();
}

QString VolumeObj::identityOf(const QVariantMap& info)
{
    const QString disk = info.value(QStringLiteral("DiskUUID")).toString();
    const QString volume = info.value(QStringLiteral("VolumeUUID")).toString();
    return usable(disk) ? disk : usable(volume) ? volume : QString();
}
