#pragma once

#include "DiskCatalog.h"
#include "RealDiskIndex.h"
#include "RealVolumeSource.h"
#include "SimulatedVolumes.h"
#include "UdisksActor.h"

#include <QStringList>

#include <optional>

namespace platform {
class SimulatedMac;
}

// The verbs of the stand-in diskutil over its two sources: the simulated Mac's disks, read
// first, and the machine's real devices, read (with lsblk) only when a listing needs them or a
// name is not a simulated one. Prints as the real tool does and gives its exit status.
class Diskutil {
public:
    Diskutil(platform::SimulatedMac& mac, QString seedFile, RealVolumeSource real, UdisksActor udisks = {});

    int run(QStringList arguments);
    // Whether every argument after the program's name is valid UTF-8.
    static bool argumentsAreText(int argc, char** argv);
    // The simulated Mac's state files that the verbs read and write.
    static QStringList stateFiles();

private:
    struct Target {
        DiskCatalog* catalog = nullptr;
        DiskCatalog::Place place;
        bool simulated() const;
    };

    int list(const QStringList& arguments);
    int info(const QStringList& arguments);
    int mount(const QStringList& arguments, bool mounting);
    int eject(const QStringList& arguments);
    int rename(const QStringList& arguments);
    int erase(const QString& device, const QString& personality, const std::optional<QString>& name);

    DiskCatalog& simulated();
    DiskCatalog& real();
    // The index of a recording's devices as they are numbered now; none when live or off.
    std::optional<RealDiskIndex> recordedIndex();
    std::optional<Target> find(const QString& asked);
    // A volume target, or a message and none.
    std::optional<Target> findVolume(const QString& asked, const QString& failure);
    // The outcome, or a failure when the changed disks cannot be saved.
    ActionOutcome saved(ActionOutcome outcome);
    SimulatedVolumes simulatedVolumes();
    ActionOutcome onRealDevice(const std::function<ActionOutcome()>& action) const;

    platform::SimulatedMac& mac_;
    QString seedFile_;
    RealVolumeSource realSource_;
    UdisksActor udisks_;
    std::optional<DiskCatalog> simulated_;
    std::optional<DiskCatalog> real_;
};
