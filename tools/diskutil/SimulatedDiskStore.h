#pragma once

#include "platform/simulated/SimulatedMac.h"

#include <QVariantList>

// The simulated Mac's disks in its state file "Volumes", seeded from the bundle's copy when the
// file has none (or holds an older layout). Saving replaces the whole file, which is what the
// program's watch on it sees.
class SimulatedDiskStore {
public:
    SimulatedDiskStore(platform::SimulatedMac& mac, QString seedFile);
    // The state file's name.
    static QString stateFile();

    // The disks; every mounted volume's folder under /Volumes is made when missing.
    QVariantList load();
    bool save(const QVariantList& disks);

private:
    platform::SimulatedMac& mac_;
    QString seedFile_;
};
