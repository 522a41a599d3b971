#pragma once

#include <QString>

#include <cstdint>

// Ejecting File Manager volumes and opening a volume's folder. Made by the tab, which never
// calls it.
class VolumesManager {
public:
    bool ejectSingleVolume(int16_t volumeRefNum);
    // -1 when no volume can be ejected, 1 when any eject failed, 0 when all succeeded.
    int32_t ejectAllVolumes(); // kept: named by the design, no caller yet
    bool openVolRootDir(const QString& path); // kept: named by the design, no caller yet
};
