#pragma once

#include "MCVolumeInfo.h"

#include "platform/mounts/VolumeTable.h"

#include <QList>

// The File Manager's list of mounted volumes with their kind and eject flag. Made by the tab,
// which never reads it.
class VolumesInfo {
public:
    VolumesInfo(); // scans once

    void enumVolumesInfo();
    const QList<MCVolumeInfo>& getAllVolsInfo();
    const QList<MCVolumeInfo>& volsArray() const { return volsArray_; } // kept: named by the design, no caller yet

    static int32_t getVolParmsInfoExtendedAttributes(const platform::GetVolParmsInfoBuffer& parms);
    static bool isNetworkVolume(const platform::GetVolParmsInfoBuffer& parms);
    static bool volIsRemovable(const platform::GetVolParmsInfoBuffer& parms);
    static bool volIsEjectable(const platform::GetVolParmsInfoBuffer& parms);
    static bool volIsExtendBus(const platform::GetVolParmsInfoBuffer& parms);
    // 3 network, 2 CD or DVD, 1 external bus, 4 removable, 0 other.
    int32_t getVolumeType(const platform::GetVolParmsInfoBuffer& parms);
    bool getVolEjectFlag(const platform::GetVolParmsInfoBuffer& parms, const QString& rootPath) const;
    bool volCDorDVD(const QString& bsdName);
    // Walks the service and its ancestors (`started` is how the walk began) until one is whole
    // media or the flag is set.
    void FindWholeMedia(platform::kern_return_t started, const std::vector<platform::MediaObject>& objects);
    // Whole media: sets the flag when it is a CD or DVD, clears it otherwise.
    bool IsWholeMedia(const platform::MediaObject& object);
    bool isCDorDVD() const { return bVolIsCDorDVD; }

private:
    QList<MCVolumeInfo> volsArray_;
    bool bVolIsCDorDVD = false;
};
