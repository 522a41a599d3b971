#include "SimulatedDiskStore.h"

#include "DiskKeys.h"
#include "MountFolders.h"

#include "platform/plist/LibplistSerialization.h"

using namespace diskkeys;

SimulatedDiskStore::SimulatedDiskStore(platform::SimulatedMac& mac, QString seedFile)
    : mac_(mac), seedFile_(std::move(seedFile))
{
}

QString SimulatedDiskStore::stateFile()
{
    return QStringLiteral("Volumes");
}

QVariantList SimulatedDiskStore::load()
{
    QVariantList disks = mac_.stateValue(stateFile(), kDisks).toList();
    if (disks.isEmpty()) {
        disks = platform::LibplistSerialization().propertyListFromFile(seedFile_).toMap().value(kDisks).toList();
        if (!disks.isEmpty())
            save(disks);
    }
    const MountFolders folders(mac_.root());
    for (const QVariant& disk : disks) {
        for (const QString& list : {kPartitions, kApfsVolumes}) {
            for (const QVariant& volume : disk.toMap().value(list).toList()) {
                const QVariantMap v = volume.toMap();
                if (v.value(kMounted).toBool() && v.value(kMountPoint).toString().startsWith(QLatin1String("/Volumes/")))
                    folders.make(v.value(kMountPoint).toString());
            }
        }
    }
    return disks;
}

bool SimulatedDiskStore::save(const QVariantList& disks)
{
    return mac_.writeStateFile(stateFile(), {{kDisks, disks}});
}
