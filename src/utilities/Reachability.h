#pragma once

#include "platform/dispatch/Lifetime.h"
#include "platform/reachability/ReachabilityFlags.h"

#include <QMutex>
#include <QString>

#include <functional>
#include <memory>

struct sockaddr;

namespace platform {
class ReachabilityRef;
class SerialQueue;
} // namespace platform

// Posted on the main queue at each change seen by a Reachability with notifications on; the
// object is the Reachability.
inline const QString kReachabilityChangedNotification = QStringLiteral("kReachabilityChangedNotification");

// Watches whether a host or an address can be reached. With notifications on, each change
// runs the blocks on the object's serial queue and posts kReachabilityChangedNotification on
// the main queue. Destroying it stops the notifications first: no block runs afterwards, and
// a notification not yet posted is dropped.
class Reachability {
public:
    enum NetworkStatus { NotReachable = 0, ReachableViaWWAN = 1, ReachableViaWiFi = 2 };
    using Block = std::function<void(Reachability* reachability)>;
    using FlagsBlock = std::function<void(Reachability* reachability, platform::ReachabilityFlags flags)>;

    // Each gives nothing when the platform cannot watch the target.
    static std::unique_ptr<Reachability> reachabilityWithHostname(const QString& hostname);
    // kept: named by the design, no caller yet
    static std::unique_ptr<Reachability> reachabilityWithHostName(const QString& hostname)
    {
        return reachabilityWithHostname(hostname);
    }
    static std::unique_ptr<Reachability> reachabilityWithAddress(const sockaddr* hostAddress);
    static std::unique_ptr<Reachability> reachabilityForInternetConnection(); // kept: named by the design, no caller yet
    static std::unique_ptr<Reachability> reachabilityForLocalWiFi(); // kept: named by the design, no caller yet

    explicit Reachability(std::unique_ptr<platform::ReachabilityRef> ref);
    ~Reachability();
    Reachability(const Reachability&) = delete;
    Reachability& operator=(const Reachability&) = delete;

    bool reachableOnWWAN() const { return reachableOnWWAN_; } // kept: named by the design, no caller yet
    void setReachableBlock(Block block); // kept: named by the design, no caller yet
    void setUnreachableBlock(Block block); // kept: named by the design, no caller yet
    void setReachabilityBlock(FlagsBlock block); // kept: named by the design, no caller yet

    bool startNotifier(); // kept: named by the design, no caller yet
    void stopNotifier();

    bool isReachableWithFlags(platform::ReachabilityFlags flags) const;
    bool isReachable() const;
    bool isReachableViaWWAN() const { return false; } // kept: named by the design, no caller yet
    bool isReachableViaWiFi() const;
    bool connectionRequired() const;
    bool isConnectionRequired() const { return connectionRequired(); } // kept: named by the design, no caller yet
    bool isConnectionOnDemand() const; // kept: named by the design, no caller yet
    bool isInterventionRequired() const; // kept: named by the design, no caller yet
    NetworkStatus currentReachabilityStatus() const;
    platform::ReachabilityFlags reachabilityFlags() const;
    QString currentReachabilityString() const; // kept: named by the design, no caller yet
    QString currentReachabilityFlags() const;
    QString description() const;

    // "X" and one letter per flag, or "-": R, c, t, i, C, D, l, d; a blank after the second.
    static QString flagsText(platform::ReachabilityFlags flags);

private:
    // On the serial queue.
    void reachabilityChanged(platform::ReachabilityFlags flags);

    bool reachableOnWWAN_ = true;
    mutable QMutex blocksMutex_; // the blocks are set on one thread and run on the queue
    Block reachableBlock_;
    Block unreachableBlock_;
    FlagsBlock reachabilityBlock_;
    std::unique_ptr<platform::ReachabilityRef> reachabilityRef_;
    std::unique_ptr<platform::SerialQueue> reachabilitySerialQueue_;
    Reachability* reachabilityObject_ = nullptr;
    platform::Lifetime lifetime_;
};
