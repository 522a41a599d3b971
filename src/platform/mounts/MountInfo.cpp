#include "MountInfo.h"

#include "platform/files/NativePath.h"

namespace platform {

namespace {

QString decoded(const QByteArray& field)
{
    QByteArray bytes;
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && value < 256) {
                bytes.append(char(value));
                i += 3;
                continue;
            }
        }
        bytes.append(field[i]);
    }
    return pathFromNative(bytes); // a name that is not UTF-8 keeps its bytes
}

} // namespace

QList<MountInfoEntry> parseMountInfo(const QByteArray& text)
{
    QList<MountInfoEntry> entries;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const int separator = int(fields.indexOf("-"));
        if (separator < 6 || fields.size() < separator + 3)
            continue;
        MountInfoEntry entry;
        entry.device = QString::fromLatin1(fields[2]);
        entry.mountPoint = decoded(fields[4]);
        entry.readOnly = fields[5].split(',').contains("ro");
        entry.fileSystemType = decoded(fields[separator + 1]);
        entry.source = decoded(fields[separator + 2]);
        entries.append(entry);
    }
    return entries;
}

QSet<QString> mountPointsInVolumeState(const QVariant& state)
{
    QSet<QString> points;
    if (state.typeId() == QMetaType::QVariantList) {
        for (const QVariant& item : state.toList())
            points += mountPointsInVolumeState(item);
    } else if (state.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = state.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            if (it.key() == QLatin1String("MountPoint") && it->typeId() == QMetaType::QString) {
                if (!it->toString().isEmpty())
                    points.insert(it->toString());
            } else {
                points += mountPointsInVolumeState(*it);
            }
        }
    }
    return points;
}

const MountInfoEntry* mountHolding(const QList<MountInfoEntry>& mounts, const QString& path)
{
    const MountInfoEntry* best = nullptr;
    for (const MountInfoEntry& entry : mounts) {
        const QString& point = entry.mountPoint;
        const bool holds = path == point || point == QLatin1String("/")
            || (path.startsWith(point) && path.at(point.size()) == QLatin1Char('/'));
        // The last of equal mount points is the one on top.
        if (holds && (!best || point.size() >= best->mountPoint.size()))
            best = &entry;
    }
    return best;
}

} // namespace platform
