#pragma once

#include "platform/reachability/NetworkStateSource.h"

#include <QHash>
#include <QMutex>

namespace test {

// Sample route lists as the kernel prints them on a little-endian machine: a default route
// via 192.168.2.1, 192.168.2.0/24 on the link, a route that is down (10.10.0.0/16), a line
// that does not parse; fd00::/64 on the link and the reject route that stands for "no
// default".
inline const QByteArray kIpv4Routes =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "eth0\t00000000\t0102A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
    "eth0\t0002A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
    "tun0\t00000A0A\t00000000\t0000\t0\t0\t0\t0000FFFF\t0\t0\t0\n"
    "eth0\tzz\n";
inline const QByteArray kIpv4LinkOnly =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "eth0\t0002A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
inline const QByteArray kIpv6Routes =
    "fd000000000000000000000000000000 40 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "00000100 00000001 00000000 00000001     eth0\n"
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "ffffffff 00000001 00000000 00200200       lo\n";

// The machine's network as a test sets it; `change` tells the watcher, as the machine would.
class FakeNetworkStateSource : public platform::NetworkStateSource {
public:
    platform::RouteTable routes() override
    {
        QMutexLocker lock(&mutex);
        return platform::RouteTable::fromProcText(ipv4, ipv6);
    }
    bool isDisconnected() override { QMutexLocker lock(&mutex); return disconnected; }
    QList<QHostAddress> addressesOf(const QByteArray& name) override { QMutexLocker lock(&mutex); return names.value(name); }
    void setChangeHandler(std::function<void()> h) override
    {
        handler = std::move(h);
        handlerSets += handler ? 1 : 0;
    }
    void change(const QByteArray& routes)
    {
        {
            QMutexLocker lock(&mutex);
            ipv4 = routes;
        }
        if (handler)
            handler();
    }

    QMutex mutex;
    QByteArray ipv4 = kIpv4Routes;
    QByteArray ipv6 = kIpv6Routes;
    bool disconnected = false;
    QHash<QByteArray, QList<QHostAddress>> names;
    std::function<void()> handler;
    int handlerSets = 0;
};

} // namespace test
