#pragma once

#include "platform/workspace/Workspace.h"

#include <QString>

#include <cstdint>

// One volume of the File Manager's list.
struct MCVolumeInfo {
    int16_t volRefNumber = 0;
    int32_t volType = -1; // see VolumesInfo::getVolumeType
    bool bIsDefaultVol = false;
    QString volumeName;
    QString freeSpace;
    QString totalSpace;
    QString volRootDir;
    QString volumeType;
    platform::WorkspaceIcon volIcon;
    bool bCanEject = false;
    uint16_t filesystem = 0;
    uint64_t nTotalSize = 0;
    uint64_t nFreeSize = 0;
};
