#include "DiskButtonStates.h"

DiskButtonStates DiskButtonStates::forVolume(const VolumeObj& r, bool mountPointExists, const QString& fileSystemType)
{
    DiskButtonStates states;
    if (r.bCanEject) {
        states.eject = states.mount = true;
        const bool unmounted = (r.volumeFreeSizeNum == 0 || r.volumeType == QLatin1String("APFS")) && r.volRootDir
            && r.volRootDir->isEmpty();
        states.open = !unmounted;
        states.mountTitle = unmounted ? QStringLiteral("Mount") : QStringLiteral("Unmount");
        states.isMount = !unmounted;
    } else {
        states.open = true;
    }
    if (mountPointExists) {
        const bool ntfs = fileSystemType.contains(QLatin1String("ntfs")) || fileSystemType.contains(QLatin1String("NTFS"));
        states.rename = !ntfs;
        states.format = ntfs || r.volumeMountPoint != QLatin1String("/");
    }
    return states;
}
