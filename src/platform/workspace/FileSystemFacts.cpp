#include "FileSystemFacts.h"

#include "platform/mounts/MountInfo.h"

namespace platform {

FileSystemFacts fileSystemFactsOfMount(const MountInfoEntry& mount, bool removable)
{
    FileSystemFacts facts;
    facts.removable = removable;
    facts.writable = !mount.readOnly;
    facts.unmountable = mount.mountPoint != QLatin1String("/");
    facts.type = mount.fileSystemType;
    facts.description = mount.fileSystemType;
    return facts;
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
