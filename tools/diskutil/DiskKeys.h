#pragma once
// The stand-in diskutil's keys: diskutil's own, and those of its state.

#include "platform/mounts/DiskutilKeys.h"

#include <QString>

namespace diskkeys {

// State of the stand-in: whether a volume is mounted (its "MountPoint" stays as the folder that
// holds its files), whether a disk was ejected, and the Linux device behind a real one.
inline const QString kMounted = QStringLiteral("Mounted");
inline const QString kEjected = QStringLiteral("Ejected");
inline const QString kLinuxDevice = QStringLiteral("LinuxDevice");
// The state file's list of disks.
inline const QString kDisks = QStringLiteral("Disks");

} // namespace diskkeys
