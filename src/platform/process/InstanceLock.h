#pragma once

#include <QString>

#include <functional>

namespace platform {

// One running copy per user: the first copy holds the lock, a later one asks it to come to the
// front. Two copies started at the same moment never both give way.
class InstanceLock {
public:
    enum class Result {
        Acquired,         // this copy is the one that runs
        AnotherCopyRuns,  // another copy holds the lock and was asked to come to the front
        Unavailable,      // no lock could be made; this copy runs, unguarded
    };

    virtual ~InstanceLock() = default;

    // Takes the lock for `bundleIdentifier`, held until this object goes away or the process
    // ends. Asking again after Acquired gives Acquired.
    virtual Result tryLock(const QString& bundleIdentifier) = 0;
    // Called on the main thread each time a later copy asks this one to come to the front.
    virtual void setActivationHandler(std::function<void()> activate) = 0;
};

} // namespace platform
