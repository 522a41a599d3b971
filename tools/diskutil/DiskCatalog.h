#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

// The disks that diskutil knows, in the shape of its own information dictionaries: a list of
// whole disks, each with its "Partitions" or "APFSVolumes". A volume keeps where its folder is
// ("MountPoint", a Mac path for the simulated disks) and whether it is mounted ("Mounted"); an
// ejected disk ("Ejected") is kept but seen nowhere. Everything here works on values.
class DiskCatalog {
public:
    // Where a disk or volume sits: `volume` is -1 for the whole disk.
    struct Place {
        int disk = -1;
        int volume = -1;
        QString list;  // "Partitions" or "APFSVolumes" for a volume
        bool found() const { return disk >= 0; }
        bool isVolume() const { return volume >= 0; }
    };

    // `root` is the simulated Mac's folder, under which its "/Volumes/..." mount points live.
    DiskCatalog(QVariantList disks, QString root);

    const QVariantList& disks() const { return disks_; }

    // A device node (/dev/disk2s1), identifier, UUID, mount point or volume name.
    Place find(const QString& asked) const;
    // The stored dictionary of a disk or volume, and of the disk that holds it.
    QVariantMap entry(const Place& place) const;
    QVariantMap disk(const Place& place) const { return disks_.value(place.disk).toMap(); }
    void setEntry(const Place& place, const QVariantMap& entry);
    // Whether the entry carries a file system, so it can be mounted, renamed or erased.
    bool isVolume(const Place& place) const;

    // `diskutil list -plist` and `diskutil info -plist`.
    QVariantMap listPropertyList() const;
    QVariantMap information(const Place& place) const;
    // The mount point as printed: the real folder of a simulated "/Volumes/..." path, "" when
    // not mounted.
    QString printedMountPoint(const QVariantMap& disk, const QVariantMap& volume) const;
    // The highest disk number in use, ejected disks included; -1 for none.
    int highestDiskNumber() const;

private:
    QVariantList disks_;
    QString root_;
};
