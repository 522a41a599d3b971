#include "FileSystemFacts.h"

#include "platform/mounts/MountInfo.h"

namespace platform {

FileSystemFacts fileSystemFactsOfMount(const MountInfoEntry& mount, bool removable, const QString& blockType)
{
    FileSystemFacts facts;
    facts.removable = removable;
    facts.writable = !mount.readOnly;
    facts.unmountable = mount.mountPoint != QLatin1String("/");
    facts.type = blockType.isEmpty() ? mount.fileSystemType : blockType;
    facts.description = facts.type;
    return facts;
}

QString udevFileSystemType(const QByteArray& record)
{
    for (const QByteArray& line : record.split('\n'))
        if (line.startsWith("E:ID_FS_TYPE="))
            return QString::fromUtf8(line.mid(13).trimmed());
    return {};
}

QString simulatedVolumeType(const QVariant& volumeState, const QString& path,
                            const std::function<QString(const QString&)>& pathOnMac)
{
    if (volumeState.typeId() == QMetaType::QVariantList) {
        for (const QVariant& item : volumeState.toList())
            if (QString type = simulatedVolumeType(item, path, pathOnMac); !type.isEmpty())
                return type;
        return {};
    }
    const QVariantMap map = volumeState.toMap();
    const QString mountPoint = map.value(QStringLiteral("MountPoint")).toString();
    if (!mountPoint.isEmpty() && (mountPoint == path || (pathOnMac && pathOnMac(mountPoint) == path))) {
        const QString type = map.value(QStringLiteral("FilesystemType")).toString();
        return type.isEmpty() ? map.value(QStringLiteral("FilesystemName")).toString() : type;
    }
    for (const QVariant& value : map)
        if (QString type = simulatedVolumeType(value, path, pathOnMac); !type.isEmpty())
            return type;
    return {};
}

} // namespace platform
