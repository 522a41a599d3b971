#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace platform {

struct MountInfoEntry;

// What the workspace tells of the file system that holds a path.
struct FileSystemFacts {
    bool removable = false;
    bool writable = false;
    bool unmountable = false;
    QString description;
    QString type; // such as "ext4", "vfat", "ntfs"
};

// The facts of a kernel mount. `removable` comes from the block device; `blockType`, when
// given, is the file system the device holds, for a mount whose own type only names its
// driver (an NTFS volume through FUSE is "fuseblk").
FileSystemFacts fileSystemFactsOfMount(const MountInfoEntry& mount, bool removable, const QString& blockType = {});
// The file-system type in a udev database record of a block device ("E:ID_FS_TYPE=ntfs");
// empty when it has none.
QString udevFileSystemType(const QByteArray& record);
// The facts of a simulated volume whose mount point (real or Mac path, through `pathOnMac`) is
// `path`, from the simulated disks' state: removable when its disk is, unmountable unless it is
// the start-up volume; none when no volume is mounted there.
std::optional<FileSystemFacts> simulatedVolumeFacts(const QVariant& volumeState, const QString& path,
                                                    const std::function<QString(const QString&)>& pathOnMac);

} // namespace platform
