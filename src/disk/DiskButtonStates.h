#pragma once

#include "VolumeObj.h"

#include <optional>

// The tab's five buttons for the selected volume. `mountTitle` and `isMount` are set only for an
// external volume; otherwise the Mount button and the flag keep what they had.
struct DiskButtonStates {
    bool open = false;
    bool mount = false;
    bool eject = false;
    bool rename = false;
    bool format = false;
    std::optional<QString> mountTitle;
    std::optional<bool> isMount;

    // `mountPointExists`: the volume's folder is there; `fileSystemType`: what the workspace
    // says of it.
    static DiskButtonStates forVolume(const VolumeObj& volume, bool mountPointExists, const QString& fileSystemType);
};
