#pragma once

#include "ReachabilityFlags.h"

#include <QByteArray>

#include <functional>
#include <memory>

struct sockaddr;

namespace platform {

class SerialQueue;

// One watched target (the Mac's reachability reference). Its callback runs on the queue it is
// attached to, once for each change of the target's flags, while both are set. Once
// setCallback(nullptr) or setDispatchQueue(nullptr) has returned, the callback no longer runs,
// not even one that was under way.
class ReachabilityRef {
public:
    using Callback = std::function<void(ReachabilityFlags flags)>;

    virtual ~ReachabilityRef() = default;
    // The flags now; false when they cannot be read.
    virtual bool getFlags(ReachabilityFlags* flags) = 0;
    virtual bool setCallback(Callback callback) = 0;
    // The queue is not owned: the caller detaches it before it goes.
    virtual bool setDispatchQueue(SerialQueue* queue) = 0;
};

// The platform's reachability service.
class NetworkReachability {
public:
    virtual ~NetworkReachability() = default;
    // Nothing when the target cannot be watched.
    virtual std::unique_ptr<ReachabilityRef> createWithName(const QByteArray& nodeName) = 0;
    virtual std::unique_ptr<ReachabilityRef> createWithAddress(const sockaddr* address) = 0;
};

} // namespace platform
