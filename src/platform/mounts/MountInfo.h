#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

namespace platform {

// One line of /proc/self/mountinfo.
struct MountInfoEntry {
    QString mountPoint;
    QString fileSystemType;
    QString source;   // such as /dev/sdb1
    QString device;   // the device's numbers, such as "8:17"
    bool readOnly = false;
};

// The lines of a mountinfo text in order; malformed lines are skipped. Octal escapes ("\040")
// in paths are decoded, and paths keep their bytes (NativePath.h).
QList<MountInfoEntry> parseMountInfo(const QByteArray& text);
// The mount points named in the simulated volumes' state: every non-empty "MountPoint" text of
// the tree.
QSet<QString> mountPointsInVolumeState(const QVariant& state);
// The entry whose mount point holds `path` most closely, or none.
const MountInfoEntry* mountHolding(const QList<MountInfoEntry>& mounts, const QString& path);

} // namespace platform
