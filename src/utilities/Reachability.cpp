#include "Reachability.h"

#include "LocalizedString.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/reachability/NetworkReachability.h"
#include "platform/reachability/SerialQueue.h"

#include <QtEndian>

#include <netinet/in.h>

using namespace platform;

namespace {

std::unique_ptr<Reachability> withRef(std::unique_ptr<ReachabilityRef> ref)
{
    return ref ? std::make_unique<Reachability>(std::move(ref)) : nullptr;
}

std::unique_ptr<Reachability> forIpv4(quint32 address)
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr.s_addr = qToBigEndian(address);
    return Reachability::reachabilityWithAddress(reinterpret_cast<const sockaddr*>(&socketAddress));
}

} // namespace

std::unique_ptr<Reachability> Reachability::reachabilityWithHostname(const QString& hostname)
{
    return withRef(Platform::current().reachability->createWithName(hostname.toUtf8()));
}

std::unique_ptr<Reachability> Reachability::reachabilityWithAddress(const sockaddr* hostAddress)
{
    return withRef(Platform::current().reachability->createWithAddress(hostAddress));
}

std::unique_ptr<Reachability> Reachability::reachabilityForInternetConnection()
{
    return forIpv4(0);
}

std::unique_ptr<Reachability> Reachability::reachabilityForLocalWiFi()
{
    return forIpv4(0xA9FE0000); // 169.254.0.0
}

Reachability::Reachability(std::unique_ptr<ReachabilityRef> ref)
    : reachabilityRef_(std::move(ref))
    , reachabilitySerialQueue_(std::make_unique<SerialQueue>(QStringLiteral("com.fernwhistle.reachability")))
{
}

Reachability::~Reachability()
{
    stopNotifier(); // waits for a block under way; none runs after
    lifetime_.end();
    reachabilityRef_.reset();
    QMutexLocker lock(&blocksMutex_);
    reachableBlock_ = {};
    unreachableBlock_ = {};
    reachabilityBlock_ = {};
}

void Reachability::setReachableBlock(Block block)
{
    QMutexLocker lock(&blocksMutex_);
    reachableBlock_ = std::move(block);
}

void Reachability::setUnreachableBlock(Block block)
{
    QMutexLocker lock(&blocksMutex_);
    unreachableBlock_ = std::move(block);
}

void Reachability::setReachabilityBlock(FlagsBlock block)
{
    QMutexLocker lock(&blocksMutex_);
    reachabilityBlock_ = std::move(block);
}

bool Reachability::startNotifier()
{
    if (reachabilityObject_ == this)
        return true;
    if (reachabilityRef_->setCallback([this](ReachabilityFlags flags) { reachabilityChanged(flags); })) {
        if (reachabilityRef_->setDispatchQueue(reachabilitySerialQueue_.get())) {
            reachabilityObject_ = this;
            return true;
        }
        reachabilityRef_->setCallback({});
    }
    reachabilityObject_ = nullptr;
    return false;
}

void Reachability::stopNotifier()
{
    reachabilityRef_->setCallback({});
    reachabilityRef_->setDispatchQueue(nullptr);
    reachabilityObject_ = nullptr;
}

void Reachability::reachabilityChanged(ReachabilityFlags flags)
{
    Block reachable, unreachable;
    FlagsBlock any;
    {
        QMutexLocker lock(&blocksMutex_);
        reachable = reachableBlock_;
        unreachable = unreachableBlock_;
        any = reachabilityBlock_;
    }
    if (isReachableWithFlags(flags)) {
        if (reachable)
            reachable(this);
    } else if (unreachable) {
        unreachable(this);
    }
    if (any)
        any(this, flags);
    dispatchAsyncMain(lifetime_.guard([this] {
        NotificationCenter::defaultCenter().postNotificationName(kReachabilityChangedNotification, this);
    }));
}

bool Reachability::isReachableWithFlags(ReachabilityFlags flags) const
{
    if (!(flags & kReachabilityFlagsReachable))
        return false;
    const ReachabilityFlags onDemand = kReachabilityFlagsConnectionRequired | kReachabilityFlagsTransientConnection;
    return (flags & onDemand) != onDemand;
}

bool Reachability::isReachable() const
{
    return isReachableWithFlags(reachabilityFlags());
}

bool Reachability::isReachableViaWiFi() const
{
    return reachabilityFlags() & kReachabilityFlagsReachable;
}

bool Reachability::connectionRequired() const
{
    return reachabilityFlags() & kReachabilityFlagsConnectionRequired;
}

bool Reachability::isConnectionOnDemand() const
{
    const ReachabilityFlags flags = reachabilityFlags();
    return (flags & kReachabilityFlagsConnectionRequired)
        && (flags & (kReachabilityFlagsConnectionOnTraffic | kReachabilityFlagsConnectionOnDemand));
}

bool Reachability::isInterventionRequired() const
{
    const ReachabilityFlags flags = reachabilityFlags();
    return (flags & kReachabilityFlagsConnectionRequired) && (flags & kReachabilityFlagsInterventionRequired);
}

Reachability::NetworkStatus Reachability::currentReachabilityStatus() const
{
    return isReachable() && isReachableViaWiFi() ? ReachableViaWiFi : NotReachable;
}

ReachabilityFlags Reachability::reachabilityFlags() const
{
    ReachabilityFlags flags = 0;
    return reachabilityRef_->getFlags(&flags) ? flags : 0;
}

QString Reachability::currentReachabilityString() const
{
    switch (currentReachabilityStatus()) {
    case ReachableViaWWAN: return getLocalizedString(QStringLiteral("Cellular"));
    case ReachableViaWiFi: return getLocalizedString(QStringLiteral("WiFi"));
    default: return getLocalizedString(QStringLiteral("No Connection"));
    }
}

QString Reachability::flagsText(ReachabilityFlags flags)
{
    const auto letter = [flags](ReachabilityFlags flag, char on) { return QLatin1Char(flags & flag ? on : '-'); };
    return QString() + QLatin1Char('X') + letter(kReachabilityFlagsReachable, 'R') + QLatin1Char(' ')
         + letter(kReachabilityFlagsConnectionRequired, 'c') + letter(kReachabilityFlagsTransientConnection, 't')
         + letter(kReachabilityFlagsInterventionRequired, 'i') + letter(kReachabilityFlagsConnectionOnTraffic, 'C')
         + letter(kReachabilityFlagsConnectionOnDemand, 'D') + letter(kReachabilityFlagsIsLocalAddress, 'l')
         + letter(kReachabilityFlagsIsDirect, 'd');
}

QString Reachability::currentReachabilityFlags() const
{
    return flagsText(reachabilityFlags());
}

QString Reachability::description() const
{
    return QStringLiteral("<Reachability: %1 (%2)>")
        .arg(QString::asprintf("%#x", unsigned(reinterpret_cast<quintptr>(this))), currentReachabilityFlags());
}
