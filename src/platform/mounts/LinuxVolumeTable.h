#pragma once

#include "VolumeTable.h"

#include <QList>

namespace platform {

struct MountInfoEntry;

// The File Manager's volumes on Linux: the mounts of /proc/self/mountinfo in order, measured
// with statvfs; removable media and the external bus from /sys/class/block. Ejecting unmounts
// and powers off through udisks and only for removable media.
class LinuxVolumeTable final : public VolumeTable {
public:
    explicit LinuxVolumeTable(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                              QString sysBlockPath = QStringLiteral("/sys/class/block"));

    OSErr volumeInfo(int index, VolumeEntry* entry) const override;
    OSErr volumeParms(int16_t volumeRefNum, GetVolParmsInfoBuffer* parms) const override;
    bool isOpticalMedia(const QString& bsdName, bool* found) const override;
    OSErr ejectVolume(int16_t volumeRefNum) override;

private:
    QList<MountInfoEntry> mounts() const;
    bool blockFlag(const QString& bsdName, const char* file) const;
    bool onExternalBus(const QString& bsdName) const;

    QString mountInfoPath_;
    QString sysBlockPath_;
};

} // namespace platform
