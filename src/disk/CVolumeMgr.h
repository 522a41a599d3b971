#pragma once

#include "platform/mounts/DiskutilKeys.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <optional>

class EnumerationGuard;

// Builds the list of volumes the Disk Manager shows from `diskutil list -plist` and the
// information dictionary of each candidate, leaving out system, boot, recovery, virtual-memory,
// disk-image and tiny volumes by an ordered set of rules. A fresh one is made per enumeration.
class CVolumeMgr {
public:
    // How an enumeration ended: with a list (possibly empty), refused because another started
    // less than a second ago, or without the disk list.
    enum class Outcome { Listed, Refused, NoDiskList };
    struct Enumeration {
        Outcome outcome = Outcome::NoDiskList;
        QList<QVariantMap> volumes;
    };
    // The information dictionary of one device identifier, or none.
    using InfoLookup = std::function<std::optional<QVariantMap>(const QString& identifier)>;

    explicit CVolumeMgr(EnumerationGuard& guard);
    CVolumeMgr();

    // Blocks for the `diskutil` runs; call it on a background queue.
    Enumeration enumDiskVolumesInfo();
    // The rules over a disk list, with the information of each candidate from `lookup`.
    QList<QVariantMap> volumesFromDiskList(const QVariantMap& diskList, const InfoLookup& lookup);
    // The information of /dev/<identifier>; none for anything that is not a device identifier.
    // `slot` chooses the runner's output file, for look-ups that run at the same time.
    static std::optional<QVariantMap> EUGetDiskInfo(const QString& identifier, int slot = 0);
    QVariantMap MakeVolumeInfo(const QVariantMap& info);
    // Notes whether the File Manager's volume of that index is the start-up volume.
    void JustOSVolume(int index);
    // Gives the guard back; the main run loop calls it a second after an enumeration started.
    void changeIValue(); // kept: named by the design, no caller yet

    // Every disk with its partitions' names, sizes and mount points, read straight from
    // `/usr/sbin/diskutil list -plist`.
    static QVariantList listAllDisksAndPartitions(); // kept: named by the design, no caller yet

    bool bFindOSDisk = false;
    bool bFirstOSVolume = true;

private:
    EnumerationGuard& guard_;
};

// The DiskArbitration key of the volume name as the information dictionary carries it.
inline const QString& kDADiskDescriptionVolumeNameKey = diskkeys::kDaVolumeName;
