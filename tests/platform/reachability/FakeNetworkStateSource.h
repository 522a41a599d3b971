#pragma once

#include "platform/reachability/NetworkStateSource.h"

#include <QHash>

namespace test {

// Route lists as a little-endian kernel prints them: 192.168.2.0/24 on the link, a default route via 192.168.2.1,
// a route that is down, a line that does not parse; fd00::/64 on the link and the reject route for "no default".
inline const QByteArray kIpv4Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
inline const QByteArray kIpv4LinkOnly = kIpv4Header + "eth0\t0002A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
inline const QByteArray kIpv4Routes = kIpv4LinkOnly + "eth0\t00000000\t0102A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                                    "tun0\t00000A0A\t00000000\t0000\t0\t0\t0\t0000FFFF\t0\t0\t0\neth0\tzz\n";
inline const QByteArray kIpv6Routes =
    "fd000000000000000000000000000000 40 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "00000100 00000001 00000000 00000001     eth0\n"
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "ffffffff 00000001 00000000 00200200       lo\n";

// The machine's network as a test sets it (from its own thread); `change` tells the watcher, as the machine would.
struct FakeNetworkStateSource : platform::NetworkStateSource {
    platform::RouteTable routes() override { return platform::RouteTable::fromProcText(ipv4, kIpv6Routes); }
    bool isDisconnected() override { return disconnected; }
    QList<QHostAddress> addressesOf(const QByteArray& name) override { return names.value(name); }
    void setChangeHandler(std::function<void()> h) override { handler = std::move(h), handlerSets += bool(handler); }
    void change(const QByteArray& routes) { ipv4 = routes, handler ? handler() : void(); }

    QByteArray ipv4 = kIpv4Routes;
    bool disconnected = false;
    QHash<QByteArray, QList<QHostAddress>> names;
    std::function<void()> handler;
    int handlerSets = 0;
};

} // namespace test
