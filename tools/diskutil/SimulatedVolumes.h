#pragma once

#include "ActionOutcome.h"
#include "DiskCatalog.h"
#include "MountFolders.h"

struct EraseFormat;

// The actions on the simulated Mac's volumes: they change the catalog (which the caller saves)
// and the volumes' folders. The start-up disk's volumes are never unmounted or erased.
class SimulatedVolumes {
public:
    SimulatedVolumes(DiskCatalog& catalog, MountFolders folders);

    ActionOutcome mount(const DiskCatalog::Place& place);
    ActionOutcome unmount(const DiskCatalog::Place& place);
    // Ejects the whole disk that holds the place; it then disappears from every listing.
    ActionOutcome eject(const DiskCatalog::Place& place);
    ActionOutcome rename(const DiskCatalog::Place& place, const QString& name);
    // Empties the volume's folder and gives it the format and name; it ends mounted.
    ActionOutcome erase(const DiskCatalog::Place& place, const EraseFormat& format, const QString& name);

private:
    // The folders that other mounted volumes use.
    QStringList takenFolders(const DiskCatalog::Place& except) const;
    // The volume's folder for `name`, moved from its old place or made.
    QString settleFolder(const DiskCatalog::Place& place, const QString& name);
    bool isSystemVolume(const DiskCatalog::Place& place) const;

    DiskCatalog& catalog_;
    MountFolders folders_;
};
