#pragma once

namespace platform {

// While it lives, the workspace's notification centre gets a did-mount or did-unmount
// notification, with the mount point as "NSDevicePath", for each volume that mounts or unmounts.
class MountWatch {
public:
    virtual ~MountWatch() = default;
};

// The user information key of the mount point.
inline constexpr const char* kNSDevicePath = "NSDevicePath";

} // namespace platform
