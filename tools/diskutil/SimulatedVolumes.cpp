#include "SimulatedVolumes.h"

#include "DiskKeys.h"
#include "EraseFormat.h"

#include <QUuid>

using namespace diskkeys;

namespace {

constexpr int kNameLimitBytes = 255;

bool inVolumes(const QString& macPath)
{
    return macPath.startsWith(QLatin1String("/Volumes/"));
}

} // namespace

SimulatedVolumes::SimulatedVolumes(DiskCatalog& catalog, MountFolders folders)
    : catalog_(catalog), folders_(std::move(folders))
{
}

QStringList SimulatedVolumes::takenFolders(const DiskCatalog::Place& except) const
{
    QStringList taken;
    const QVariantList& disks = catalog_.disks();
    for (int d = 0; d < disks.size(); ++d) {
        for (const QString& list : {kPartitions, kApfsVolumes}) {
            const QVariantList volumes = disks[d].toMap().value(list).toList();
            for (int v = 0; v < volumes.size(); ++v) {
                const QVariantMap volume = volumes[v].toMap();
                if (!(d == except.disk && v == except.volume) && volume.value(kMounted).toBool())
                    taken << volume.value(kMountPoint).toString();
            }
        }
    }
    return taken;
}

QString SimulatedVolumes::settleFolder(const DiskCatalog::Place& place, const QString& name)
{
    const QStringList taken = takenFolders(place);
    QString own = catalog_.entry(place).value(kMountPoint).toString();
    if (!inVolumes(own) || taken.contains(own))
        own.clear();
    const QString path = folders_.pathFor(name, own, taken);
    if (!own.isEmpty() && path != own && folders_.move(own, path))
        return path;
    return folders_.make(path) ? path : QString();
}

bool SimulatedVolumes::isSystemVolume(const DiskCatalog::Place& place) const
{
    return catalog_.disk(place).value(kInternal).toBool();
}

ActionOutcome SimulatedVolumes::mount(const DiskCatalog::Place& place)
{
    QVariantMap volume = catalog_.entry(place);
    if (volume.value(kMounted).toBool())
        return ActionOutcome::done();
    const QString mountPoint = volume.value(kMountPoint).toString();
    if (!isSystemVolume(place) || inVolumes(mountPoint) || mountPoint.isEmpty()) {
        const QString folder = settleFolder(place, volume.value(kVolumeName).toString());
        if (folder.isEmpty())
            return ActionOutcome::failed(QStringLiteral("its folder under /Volumes could not be made"));
        volume.insert(kMountPoint, folder);
    }
    volume.insert(kMounted, true);
    catalog_.setEntry(place, volume);
    return ActionOutcome::done();
}

ActionOutcome SimulatedVolumes::unmount(const DiskCatalog::Place& place)
{
    QVariantMap volume = catalog_.entry(place);
    const QString mountPoint = volume.value(kMountPoint).toString();
    if (!volume.value(kMounted).toBool())
        return ActionOutcome::done();
    if (mountPoint == QLatin1String("/") || mountPoint.startsWith(QLatin1String("/System/")))
        return ActionOutcome::failed(QStringLiteral("the volume is in use by the system"));
    volume.insert(kMounted, false);
    catalog_.setEntry(place, volume);
    folders_.removeIfEmpty(mountPoint);
    return ActionOutcome::done();
}

ActionOutcome SimulatedVolumes::eject(const DiskCatalog::Place& place)
{
    const DiskCatalog::Place whole{place.disk, -1, {}};
    QVariantMap disk = catalog_.disk(whole);
    if (!disk.value(kEjectable).toBool())
        return ActionOutcome::failed(QStringLiteral("the disk is not ejectable"));
    for (const QString& list : {kPartitions, kApfsVolumes}) {
        const QVariantList volumes = disk.value(list).toList();
        for (int v = 0; v < volumes.size(); ++v)
            unmount({place.disk, v, list});
    }
    disk = catalog_.disk(whole);
    disk.insert(kEjected, true);
    catalog_.setEntry(whole, disk);
    return ActionOutcome::done();
}

ActionOutcome SimulatedVolumes::rename(const DiskCatalog::Place& place, const QString& name)
{
    QVariantMap volume = catalog_.entry(place);
    if (name.toUtf8().size() > kNameLimitBytes)
        return ActionOutcome::failed(QStringLiteral("the name is longer than %1 bytes").arg(kNameLimitBytes));
    if (volume.contains(kWritable) && !volume.value(kWritable).toBool())
        return ActionOutcome::failed(QStringLiteral("the volume is read-only"));
    const QString mountPoint = volume.value(kMountPoint).toString();
    // An unmounted volume's folder follows the name at its next mount.
    if (inVolumes(mountPoint) && volume.value(kMounted).toBool()) {
        if (const QString folder = settleFolder(place, name); !folder.isEmpty())
            volume.insert(kMountPoint, folder);
    }
    volume.insert(kVolumeName, name);
    catalog_.setEntry(place, volume);
    return ActionOutcome::done();
}

ActionOutcome SimulatedVolumes::erase(const DiskCatalog::Place& place, const EraseFormat& format, const QString& name)
{
    if (isSystemVolume(place))
        return ActionOutcome::failed(QStringLiteral("the volume is on the start-up disk"));
    if (const QString problem = format.nameProblem(name); !problem.isEmpty())
        return ActionOutcome::failed(problem);
    QVariantMap volume = catalog_.entry(place);
    const QString mountPoint = volume.value(kMountPoint).toString();
    // An unmounted volume's old folder may be another mounted volume's by now.
    if (inVolumes(mountPoint) && !takenFolders(place).contains(mountPoint)) {
        if (const ActionOutcome emptied = folders_.empty(mountPoint); !emptied.ok)
            return emptied;
    }
    const QString folder = settleFolder(place, name);
    if (folder.isEmpty())
        return ActionOutcome::failed(QStringLiteral("its folder under /Volumes could not be made"));
    const qint64 total = volume.value(kTotalSize).toLongLong();
    volume.insert(kFilesystemName, format.filesystemName);
    volume.insert(kFilesystemType, format.filesystemType);
    volume.insert(kContent, format.content);
    volume.insert(kVolumeName, name);
    volume.insert(kVolumeUuid, QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    volume.insert(kFreeSpace, total - total / 1000);  // what the new file system's own records take
    volume.insert(kWritable, true);
    volume.insert(kMountPoint, folder);
    volume.insert(kMounted, true);
    catalog_.setEntry(place, volume);
    return ActionOutcome::done();
}
