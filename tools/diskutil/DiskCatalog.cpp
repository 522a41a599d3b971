#include "DiskCatalog.h"

#include "DiskKeys.h"

#include <QStringList>

#include <functional>

using namespace diskkeys;

namespace {

QVariantList volumesOf(const QVariantMap& disk, QString* list = nullptr)
{
    for (const QString& key : {kPartitions, kApfsVolumes}) {
        if (disk.contains(key)) {
            if (list)
                *list = key;
            return disk.value(key).toList();
        }
    }
    return {};
}

bool isEjected(const QVariantMap& disk)
{
    return disk.value(kEjected).toBool();
}

QString stripDevice(const QString& asked)
{
    if (asked.startsWith(QLatin1String("/dev/rdisk")))
        return asked.mid(6);
    if (asked.startsWith(QLatin1String("/dev/")))
        return asked.mid(5);
    return asked;
}

void copyKeys(QVariantMap& to, const QVariantMap& from, std::initializer_list<QString> keys)
{
    for (const QString& key : keys) {
        if (from.contains(key))
            to.insert(key, from.value(key));
    }
}

} // namespace

DiskCatalog::DiskCatalog(QVariantList disks, QString root) : disks_(std::move(disks)), root_(std::move(root)) {}

DiskCatalog::Place DiskCatalog::find(const QString& asked) const
{
    if (asked.isEmpty())
        return {};
    const QString bare = stripDevice(asked);
    // Each test over every disk and volume in order; the first test that matches anything wins,
    // so an identifier is never taken for another volume's name.
    const std::function<bool(const QVariantMap&, const QVariantMap&)> tests[] = {
        [&](const QVariantMap&, const QVariantMap& e) { return e.value(kDeviceIdentifier).toString() == bare; },
        [&](const QVariantMap&, const QVariantMap& e) {
            return (e.contains(kDiskUuid) && e.value(kDiskUuid).toString().compare(asked, Qt::CaseInsensitive) == 0)
                || (e.contains(kVolumeUuid) && e.value(kVolumeUuid).toString().compare(asked, Qt::CaseInsensitive) == 0);
        },
        [&](const QVariantMap& d, const QVariantMap& e) {
            return e.value(kMounted).toBool() && (printedMountPoint(d, e) == asked || e.value(kMountPoint).toString() == asked);
        },
        [&](const QVariantMap&, const QVariantMap& e) {
            return e.contains(kFilesystemName) && e.value(kVolumeName).toString() == asked;
        },
    };
    for (const auto& test : tests) {
        for (int d = 0; d < disks_.size(); ++d) {
            const QVariantMap disk = disks_[d].toMap();
            if (isEjected(disk))
                continue;
            if (test(disk, disk))
                return {d, -1, {}};
            QString list;
            const QVariantList volumes = volumesOf(disk, &list);
            for (int v = 0; v < volumes.size(); ++v) {
                if (test(disk, volumes[v].toMap()))
                    return {d, v, list};
            }
        }
    }
    return {};
}

QVariantMap DiskCatalog::entry(const Place& place) const
{
    const QVariantMap d = disk(place);
    return place.isVolume() ? d.value(place.list).toList().value(place.volume).toMap() : d;
}

void DiskCatalog::setEntry(const Place& place, const QVariantMap& entry)
{
    if (!place.isVolume()) {
        disks_[place.disk] = entry;
        return;
    }
    QVariantMap d = disk(place);
    QVariantList volumes = d.value(place.list).toList();
    volumes[place.volume] = entry;
    d.insert(place.list, volumes);
    disks_[place.disk] = d;
}

bool DiskCatalog::isVolume(const Place& place) const
{
    return place.found() && entry(place).contains(kFilesystemName);
}

QString DiskCatalog::printedMountPoint(const QVariantMap& disk, const QVariantMap& volume) const
{
    if (!volume.value(kMounted).toBool())
        return QStringLiteral("");
    const QString mountPoint = volume.value(kMountPoint).toString();
    if (!disk.contains(kLinuxDevice) && mountPoint.startsWith(QLatin1String("/Volumes/")))
        return root_ + mountPoint;
    return mountPoint;
}

QVariantMap DiskCatalog::listPropertyList() const
{
    QStringList allDisks, wholeDisks, mountedNames;
    QVariantList entries;
    const auto summary = [this, &mountedNames](const QVariantMap& disk, const QVariantMap& e) {
        QVariantMap out;
        copyKeys(out, e, {kDeviceIdentifier, kContent, kDiskUuid, kVolumeUuid, kVolumeName, kFilesystemName});
        out.insert(kSize, e.value(kTotalSize));
        if (e.value(kMounted).toBool()) {
            out.insert(kMountPoint, printedMountPoint(disk, e));
            mountedNames << e.value(kVolumeName).toString();
        }
        return out;
    };
    for (const QVariant& value : disks_) {
        const QVariantMap disk = value.toMap();
        if (isEjected(disk))
            continue;
        const QString id = disk.value(kDeviceIdentifier).toString();
        allDisks << id;
        wholeDisks << id;
        QVariantMap out = summary(disk, disk);
        out.insert(kOsInternal, false);
        QString list;
        const QVariantList volumes = volumesOf(disk, &list);
        if (!list.isEmpty()) {
            QVariantList children;
            for (const QVariant& volume : volumes) {
                children << summary(disk, volume.toMap());
                allDisks << volume.toMap().value(kDeviceIdentifier).toString();
            }
            out.insert(list, children);
        }
        entries << out;
    }
    return {{kAllDisks, allDisks},
            {kAllDisksAndPartitions, entries},
            {kVolumesFromDisks, mountedNames},
            {kWholeDisks, wholeDisks}};
}

QVariantMap DiskCatalog::information(const Place& place) const
{
    const QVariantMap d = disk(place);
    const QVariantMap e = entry(place);
    QVariantMap info;
    copyKeys(info, d, {kBusProtocol, kInternal, kEjectable, kRemovable, kWritable, kMediaName, kLinuxDevice});
    if (place.isVolume()) {
        copyKeys(info, e, {kDeviceIdentifier, kContent, kVolumeName, kFilesystemName, kFilesystemType, kTotalSize,
                           kDiskUuid, kVolumeUuid, kWritable, kRecoveryDeviceIdentifier, kBooterDeviceIdentifier,
                           kLinuxDevice});
        if (place.list == kApfsVolumes) {
            info.insert(kApfsContainerReference, d.value(kDeviceIdentifier));
            info.insert(kApfsContainerFree, d.value(kApfsContainerFree, 0));
            info.insert(kApfsContainerSize, d.value(kTotalSize, 0));
        }
    } else {
        copyKeys(info, d, {kDeviceIdentifier, kContent, kVolumeName, kFilesystemName, kFilesystemType, kTotalSize,
                           kDiskUuid, kVolumeUuid});
    }
    const QString id = info.value(kDeviceIdentifier).toString();
    info.insert(kDeviceNode, QStringLiteral("/dev/") + id);
    info.insert(kParentWholeDisk, d.value(kDeviceIdentifier));
    info.insert(kWholeDisk, !place.isVolume());
    info.insert(kSize, info.value(kTotalSize, 0));
    if (!info.contains(kVolumeName))
        info.insert(kVolumeName, QStringLiteral(""));
    info.insert(kMountPoint, printedMountPoint(d, e));
    info.insert(kFreeSpace, e.value(kMounted).toBool() ? e.value(kFreeSpace, 0) : QVariant(0));
    if (e.contains(kFilesystemName))
        info.insert(kDaVolumeName, e.value(kVolumeName).toString());
    return info;
}

int DiskCatalog::highestDiskNumber() const
{
    int highest = -1;
    for (const QVariant& disk : disks_) {
        const QString id = disk.toMap().value(kDeviceIdentifier).toString();
        bool ok = false;
        const int number = id.mid(4).toInt(&ok);
        if (id.startsWith(QLatin1String("disk")) && ok)
            highest = std::max(highest, number);
    }
    return highest;
}
