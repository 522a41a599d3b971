#pragma once

#include "ReachabilityFlags.h"

#include <QByteArray>
#include <QHostAddress>

#include <vector>

namespace platform {

// The kernel's routes, as /proc/net/route and /proc/net/ipv6_route list them, and the
// reachability of an address by them: reachable when a route that is up and not a reject
// route covers it (direct when it has no gateway); loopback addresses are local and direct.
class RouteTable {
public:
    struct Route {
        QHostAddress destination;
        int prefixLength = 0;
        bool direct = false;
    };

    // Lines that do not parse, routes that are down and reject routes are left out.
    static RouteTable fromProcText(const QByteArray& ipv4Routes, const QByteArray& ipv6Routes);

    const std::vector<Route>& routes() const { return routes_; }
    // The "any" address (0.0.0.0 or ::) stands for the Internet: reachable by a default route.
    ReachabilityFlags flagsFor(const QHostAddress& address) const;

private:
    std::vector<Route> routes_;
};

} // namespace platform
