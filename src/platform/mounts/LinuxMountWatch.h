#pragma once

#include "MountWatch.h"

#include "platform/Sibling.h"
#include "platform/dispatch/Lifetime.h"
#include "platform/files/FileDescriptor.h"

#include <QSet>
#include <QString>

#include <functional>
#include <thread>

namespace platform {

class Dispatcher;
class NotificationCenter;

// Watches the kernel's mount table (/proc/self/mountinfo, which poll() reports as changed) and
// the simulated volumes' state file (inotify on its folder, since the file is replaced whole)
// on a thread of its own, and posts each mount point that came or went on the main queue to the
// notification centre it is handed (the workspace's), its path as "NSDevicePath" and no sender.
// The queue and the centre are looked up when a change is posted, so a test may replace them.
class LinuxMountWatch final : public MountWatch {
public:
    struct Settings {
        QString mountInfoPath = QStringLiteral("/proc/self/mountinfo");
        QString volumeStatePath; // may be empty
        // Reads the state file's tree.
        std::function<QVariant(const QString& path)> readState;
    };

    LinuxMountWatch(Settings settings, Sibling<Dispatcher> dispatcher, Sibling<NotificationCenter> center);
    ~LinuxMountWatch() override;

    // The mount points known now (kernel and simulated), read afresh.
    QSet<QString> currentMountPoints() const;
    uint64_t generation() const override { return generation_.load(); }

private:
    void watch(QSet<QString> known);
    void postChanges(const QSet<QString>& before, const QSet<QString>& after);

    Settings settings_;
    Sibling<Dispatcher> dispatcher_;
    Sibling<NotificationCenter> center_;
    FileDescriptor stopRead_, stopWrite_;
    FileDescriptor table_;
    FileDescriptor notify_;
    std::atomic<uint64_t> generation_{nextGeneration()};
    Lifetime lifetime_;
    std::thread thread_;
};

} // namespace platform
