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

namespace {

std::optional<FileSystemFacts> volumeFacts(const QVariant& state, const QString& path,
                                           const std::function<QString(const QString&)>& pathOnMac, bool removable)
{
    if (state.typeId() == QMetaType::QVariantList) {
        for (const QVariant& item : state.toList())
            if (auto facts = volumeFacts(item, path, pathOnMac, removable))
                return facts;
        return std::nullopt;
    }
    const QVariantMap map = state.toMap();
    removable = removable || map.value(QStringLiteral("Removable")).toBool() || map.value(QStringLiteral("Ejectable")).toBool();
    const QString mountPoint = map.value(QStringLiteral("MountPoint")).toString();
    if (!mountPoint.isEmpty() && (mountPoint == path || (pathOnMac && pathOnMac(mountPoint) == path))) {
        QString type = map.value(QStringLiteral("FilesystemType")).toString();
        if (type.isEmpty())
            type = map.value(QStringLiteral("FilesystemName")).toString();
        return FileSystemFacts{removable, map.value(QStringLiteral("Writable"), true).toBool(),
                               mountPoint != QLatin1String("/"), type, type};
    }
    for (const QVariant& value : map)
        if (auto facts = volumeFacts(value, path, pathOnMac, removable))
            return facts;
    return std::nullopt;
}

} // namespace

std::optional<FileSystemFacts> simulatedVolumeFacts(const QVariant& volumeState, const QString& path,
                                                    const std::function<QString(const QString&)>& pathOnMac)
{
    return volumeFacts(volumeState, path, pathOnMac, false);
}

} // namespace platform
