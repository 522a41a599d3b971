#pragma once

#include "MountInfo.h"
#include "MountSizer.h"
#include "VolumeTable.h"

#include "platform/Sibling.h"
#include "platform/files/FileDescriptor.h"

#include <QList>

#include <mutex>

namespace platform {

class CommandRunner;

// The File Manager's volumes on Linux: the mounts of /proc/self/mountinfo in order, then the
// simulated disks' volumes, measured with statvfs (`MountSizer`, on threads of its own); removable
// media and the external bus from /sys/class/block, whose folder of a device and the disks above
// it are the registry's media objects (an "sr" disk is a CD). Ejecting unmounts and powers off
// through udisks, and only for removable media. The table is read again only when it changed
// (the kernel marks its file for poll; a plain file by its size and time), so a pass over the
// volumes reads it once. A volume that does not answer its measuring within 2 seconds is given
// no sizes, logged, and not asked again until it answers. Any thread; never the main one, since
// a mount may hold the caller for as long as the deadline.
class LinuxVolumeTable final : public VolumeTable {
public:
    static constexpr std::chrono::milliseconds kMeasureDeadline{2000};

    // Ejecting runs udisksctl through `commandRunner`.
    explicit LinuxVolumeTable(Sibling<CommandRunner> commandRunner,
                              QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                              QString sysBlockPath = QStringLiteral("/sys/class/block"),
                              std::chrono::milliseconds measureDeadline = kMeasureDeadline,
                              MountSizer::Measure measure = MountSizer::statvfsSizes);

    OSErr volumeInfo(int index, VolumeEntry* entry) const override;
    OSErr volumeParms(int16_t volumeRefNum, GetVolParmsInfoBuffer* parms) const override;
    // The device's folder in /sys, then its parents while they are block devices: a partition is
    // media but not whole, a disk is whole media, and an "sr" drive's is a CD.
    kern_return_t mediaObjects(const QString& bsdName, std::vector<MediaObject>* objects) const override;
    OSErr ejectVolume(int16_t volumeRefNum) override;

private:
    QList<MountInfoEntry> mounts() const;
    bool blockFlag(const QString& bsdName, const char* file) const;
    bool onExternalBus(const QString& bsdName) const;

    Sibling<CommandRunner> commandRunner_;
    QString mountInfoPath_;
    QString sysBlockPath_;
    MountSizer sizer_;
    mutable std::mutex mutex_;
    mutable FileDescriptor table_;
    mutable QList<MountInfoEntry> mounts_;
    mutable bool read_ = false;
    mutable QByteArray stamp_; // the plain file's size and time when it was read
};

} // namespace platform
