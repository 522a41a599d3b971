#pragma once

namespace platform {

// One running copy per user: the first copy holds the lock, a later one asks it to come to the front.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};

} // namespace platform
