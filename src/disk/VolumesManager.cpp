#include "VolumesManager.h"

#include "VolumesInfo.h"

#include "platform/Platform.h"
#include "platform/log/SystemLog.h"

#include <QDir>

bool VolumesManager::ejectSingleVolume(int16_t volumeRefNum)
{
    const platform::OSErr result = platform::Platform::current().volumeTable->ejectVolume(volumeRefNum);
    if (result != platform::noErr) {
        platform::NSLog(QStringLiteral("Eject the volume %1 failed result: %2").arg(volumeRefNum).arg(result));
        return false;
    }
    return true;
}

int32_t VolumesManager::ejectAllVolumes()
{
    VolumesInfo info;
    QList<int16_t> ejectable;
    for (const MCVolumeInfo& volume : info.getAllVolsInfo())
        if (volume.bCanEject)
            ejectable.append(volume.volRefNumber);
    if (ejectable.isEmpty())
        return -1;
    bool failed = false;
    for (int16_t refNum : ejectable)
        failed |= !ejectSingleVolume(refNum);
    return failed ? 1 : 0;
}

bool VolumesManager::openVolRootDir(const QString& path)
{
    if (path.isEmpty())
        return false;
    return platform::Platform::current().workspace->openFile(QDir::cleanPath(path));
}
