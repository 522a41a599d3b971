#pragma once

#include "NetworkReachability.h"

#include <memory>

namespace platform {

class NetworkStateSource;

// The reachability service over a source of the machine's network state: a name is judged by
// its addresses (reachable when any is), an address by the route that covers it; nothing is
// reachable while the source says the machine is offline. On Linux (`LinuxNetworkStateSource`)
// the route is the longest that is up in /proc/net/route and /proc/net/ipv6_route: direct without
// a gateway, loopback local and direct, "any" by a default route; changes come from
// `QNetworkInformation` where a backend loads, else from the route lists compared every 2 s.
// At each change of the network, every watched target is judged again on its `SerialQueue`, and
// its callback runs when its flags changed; a stopped target's callback never runs again. The
// source is watched only while some target is.
class SourceNetworkReachability final : public NetworkReachability {
public:
    explicit SourceNetworkReachability(std::unique_ptr<NetworkStateSource> source);
    ~SourceNetworkReachability() override;

    std::unique_ptr<ReachabilityRef> createWithName(const QByteArray& nodeName) override;
    std::unique_ptr<ReachabilityRef> createWithAddress(const sockaddr* address) override;

    struct Watcher;

private:
    std::shared_ptr<Watcher> watcher_;
};

} // namespace platform
