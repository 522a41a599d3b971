#pragma once

#include <QString>

#include <atomic>
#include <cstdint>

namespace platform {

// While it lives, the workspace's notification centre gets a did-mount or did-unmount
// notification, with the mount point as "NSDevicePath", for each volume that mounts or unmounts.
class MountWatch {
public:
    virtual ~MountWatch() = default;

    // Changes with every change of the volumes that the watch sees, even one that mounts and
    // unmounts nothing, and no two watches of the process give the same value: what was learnt
    // of the volumes while it had one value holds as long as it keeps it. Any thread.
    virtual uint64_t generation() const = 0;

    // A value that no watch of this process has given yet.
    static uint64_t nextGeneration()
    {
        static std::atomic<uint64_t> next{1};
        return next++;
    }
};

// Notifications of the workspace's notification centre.
inline const QString NSWorkspaceDidMountNotification = QStringLiteral("NSWorkspaceDidMountNotification");
inline const QString NSWorkspaceDidUnmountNotification = QStringLiteral("NSWorkspaceDidUnmountNotification");

// The user information key of the mount point.
inline constexpr const char* kNSDevicePath = "NSDevicePath";

} // namespace platform
