#include "VolumesInfo.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/log/SystemLog.h"
#include "platform/text/StringFormat.h"

VolumesInfo::VolumesInfo()
{
    enumVolumesInfo();
}

void VolumesInfo::enumVolumesInfo()
{
    auto& platform = platform::Platform::current();
    if (!platform.volumeTable)
        return;
    const platform::VolumeTable& table = *platform.volumeTable;
    for (int index = 1;; ++index) {
        platform::VolumeEntry entry;
        const platform::OSErr status = table.volumeInfo(index, &entry);
        if (status == platform::nsvErr)
            break;
        if (status != platform::noErr || entry.totalBytes == 0)
            continue;
        const QString& root = entry.rootPath;
        if (root == QLatin1String("/System/Volumes/Update") || root == QLatin1String("/System/Volumes/VM")
            || root == QLatin1String("/System/Volumes/Preboot") || root.contains(QLatin1String("/private/tmp/")))
            continue;
        MCVolumeInfo volume;
        volume.filesystem = entry.filesystem;
        volume.nTotalSize = entry.totalBytes;
        volume.nFreeSize = entry.freeBytes;
        volume.freeSpace = PublicUtilities::longlongDiskSize(int64_t(entry.freeBytes));
        volume.totalSpace = PublicUtilities::longlongDiskSize(int64_t(entry.totalBytes));
        volume.volumeName = entry.name;
        volume.volRefNumber = entry.volumeRefNum;
        volume.volRootDir = root;
        volume.volIcon = platform.workspace ? platform.workspace->iconForFile(root) : platform::WorkspaceIcon();
        volume.bIsDefaultVol = root == QLatin1String("/");
        platform::GetVolParmsInfoBuffer parms;
        if (const platform::OSErr error = table.volumeParms(entry.volumeRefNum, &parms); error != platform::noErr) {
            platform::NSLog(QStringLiteral("FSGetVolumeParms failed returned %1\n").arg(error));
            continue;
        }
        volume.bCanEject = getVolEjectFlag(parms, root);
        volume.volType = getVolumeType(parms);
        if (volume.volType == 2)
            volume.bCanEject = true;
        volsArray_.append(volume);
    }
}

const QList<MCVolumeInfo>& VolumesInfo::getAllVolsInfo()
{
    volsArray_.clear();
    enumVolumesInfo();
    return volsArray_;
}

int32_t VolumesInfo::getVolParmsInfoExtendedAttributes(const platform::GetVolParmsInfoBuffer& parms)
{
    return parms.vMVersion < 3 ? 0 : parms.vMExtendedAttributes;
}

bool VolumesInfo::isNetworkVolume(const platform::GetVolParmsInfoBuffer& parms)
{
    return parms.vMServerAdr != 0;
}

bool VolumesInfo::volIsRemovable(const platform::GetVolParmsInfoBuffer& parms)
{
    return getVolParmsInfoExtendedAttributes(parms) & (1 << platform::bIsRemovable);
}

bool VolumesInfo::volIsEjectable(const platform::GetVolParmsInfoBuffer& parms)
{
    return getVolParmsInfoExtendedAttributes(parms) & (1 << platform::bIsEjectable);
}

bool VolumesInfo::volIsExtendBus(const platform::GetVolParmsInfoBuffer& parms)
{
    return getVolParmsInfoExtendedAttributes(parms) & (1 << platform::bIsOnExternalBus);
}

int32_t VolumesInfo::getVolumeType(const platform::GetVolParmsInfoBuffer& parms)
{
    if (isNetworkVolume(parms))
        return 3;
    if (volCDorDVD(parms.vMDeviceID))
        return 2;
    if (volIsExtendBus(parms))
        return 1;
    if (volIsRemovable(parms))
        return 4;
    return 0;
}

bool VolumesInfo::getVolEjectFlag(const platform::GetVolParmsInfoBuffer& parms, const QString&) const
{
    return isNetworkVolume(parms) || volIsExtendBus(parms) || volIsEjectable(parms);
}

bool VolumesInfo::volCDorDVD(const QString& bsdName)
{
    bVolIsCDorDVD = false;
    if (bsdName.isEmpty())
        return false; // no block device behind the volume
    std::vector<platform::MediaObject> objects;
    const platform::kern_return_t started = platform::Platform::current().volumeTable->mediaObjects(bsdName, &objects);
    if (started == platform::kIOReturnNoDevice) {
        platform::NSLog(QStringLiteral("IOServiceGetMatchingService returned IO_OBJECT_NULL."));
        return false;
    }
    FindWholeMedia(started, objects);
    return bVolIsCDorDVD;
}

void VolumesInfo::FindWholeMedia(platform::kern_return_t started, const std::vector<platform::MediaObject>& objects)
{
    if (started != platform::KERN_SUCCESS) {
        platform::NSLog(platform::stringWithFormat("IORegistryEntryCreateIterator failed returned 0x%08x", unsigned(started)));
        return;
    }
    if (objects.empty()) {
        platform::NSLog(QStringLiteral("IORegistryEntryCreateIterator returned a NULL iterator"));
        return;
    }
    for (const platform::MediaObject& object : objects)
        if (IsWholeMedia(object) || bVolIsCDorDVD)
            break;
}

bool VolumesInfo::IsWholeMedia(const platform::MediaObject& object)
{
    if (!object.classes.contains(QStringLiteral("IOMedia")))
        return false;
    if (!object.whole) {
        platform::NSLog(QStringLiteral("Could not retrieve Whole property"));
        return false;
    }
    if (!*object.whole)
        return false;
    bVolIsCDorDVD = object.classes.contains(QStringLiteral("IOCDMedia")) || object.classes.contains(QStringLiteral("IODVDMedia"));
    return true;
}
