#pragma once

#include "MountWatch.h"

#include "platform/dispatch/Lifetime.h"

#include <QSet>
#include <QString>

#include <functional>
#include <thread>

namespace platform {

class NotificationCenter;

// Watches the kernel's mount table (/proc/self/mountinfo, which poll() reports as changed) and
// the simulated volumes' state file (inotify on its folder, since the file is replaced whole)
// on a thread of its own, and posts what mounted and unmounted on the main queue.
class LinuxMountWatch final : public MountWatch {
public:
    struct Settings {
        QString mountInfoPath = QStringLiteral("/proc/self/mountinfo");
        QString volumeStatePath; // may be empty
        // Reads the state file's tree.
        std::function<QVariant(const QString& path)> readState;
    };

    // Posts to `center` with `object` as the notifications' object.
    LinuxMountWatch(Settings settings, NotificationCenter& center, void* object);
    ~LinuxMountWatch() override;

    // The mount points known now (kernel and simulated), read afresh.
    QSet<QString> currentMountPoints() const;

private:
    void watch();
    void postChanges(const QSet<QString>& before, const QSet<QString>& after);

    Settings settings_;
    NotificationCenter& center_;
    void* object_;
    int stopFds_[2] = {-1, -1};
    Lifetime lifetime_;
    std::thread thread_;
};

} // namespace platform
