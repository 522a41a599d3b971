#include "RouteTable.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <bit>

namespace platform {

namespace {

constexpr unsigned kRouteUp = 0x1;
constexpr unsigned kRouteGateway = 0x2;
constexpr unsigned kRouteReject = 0x200;

QList<QByteArray> fields(const QByteArray& line)
{
    return line.simplified().split(' ');
}

bool hexNumber(const QByteArray& text, quint32* value)
{
    bool ok = false;
    *value = text.toUInt(&ok, 16);
    return ok;
}

// An IPv6 address written as 32 hex digits, in network order.
bool hexAddress6(const QByteArray& text, QHostAddress* address)
{
    if (text.size() != 32)
        return false;
    const QByteArray bytes = QByteArray::fromHex(text);
    if (bytes.size() != 16 || bytes.toHex() != text.toLower())
        return false;
    *address = QHostAddress(reinterpret_cast<const quint8*>(bytes.constData()));
    return true;
}

void addIpv4(const QByteArray& text, std::vector<RouteTable::Route>& routes)
{
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) { // the first line names the columns
        const QList<QByteArray> f = fields(lines[i]);
        quint32 destination = 0, gateway = 0, flags = 0, mask = 0;
        if (f.size() < 8 || !hexNumber(f[1], &destination) || !hexNumber(f[2], &gateway) || !hexNumber(f[3], &flags)
            || !hexNumber(f[7], &mask))
            continue;
        if (!(flags & kRouteUp) || (flags & kRouteReject))
            continue;
        // The kernel prints the addresses as they lie in memory, in network order.
        const quint32 hostMask = qFromBigEndian(mask);
        const int prefix = std::popcount(hostMask);
        if (hostMask != (prefix ? ~quint32(0) << (32 - prefix) : 0))
            continue; // not a prefix mask
        routes.push_back({QHostAddress(qFromBigEndian(destination)), prefix, !(flags & kRouteGateway) && gateway == 0});
    }
}

void addIpv6(const QByteArray& text, std::vector<RouteTable::Route>& routes)
{
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> f = fields(line);
        QHostAddress destination, nextHop;
        quint32 prefix = 0, flags = 0;
        if (f.size() < 10 || !hexAddress6(f[0], &destination) || !hexNumber(f[1], &prefix) || prefix > 128
            || !hexAddress6(f[4], &nextHop) || !hexNumber(f[8], &flags))
            continue;
        if (!(flags & kRouteUp) || (flags & kRouteReject))
            continue;
        routes.push_back({destination, int(prefix), !(flags & kRouteGateway) && nextHop.isEqual(QHostAddress::AnyIPv6)});
    }
}

} // namespace

RouteTable RouteTable::fromProcText(const QByteArray& ipv4Routes, const QByteArray& ipv6Routes)
{
    RouteTable table;
    addIpv4(ipv4Routes, table.routes_);
    addIpv6(ipv6Routes, table.routes_);
    return table;
}

ReachabilityFlags RouteTable::flagsFor(const QHostAddress& address) const
{
    if (address.isNull())
        return 0;
    if (address.isLoopback())
        return kReachabilityFlagsReachable | kReachabilityFlagsIsLocalAddress | kReachabilityFlagsIsDirect;
    const bool any = address.isEqual(QHostAddress::AnyIPv4) || address.isEqual(QHostAddress::AnyIPv6);
    const Route* best = nullptr;
    for (const Route& route : routes_) {
        if (route.destination.protocol() != address.protocol())
            continue;
        const bool covers = any ? route.prefixLength == 0 : address.isInSubnet(route.destination, route.prefixLength);
        if (covers && (!best || route.prefixLength > best->prefixLength))
            best = &route;
    }
    if (!best)
        return 0;
    return kReachabilityFlagsReachable | (best->direct && !any ? kReachabilityFlagsIsDirect : 0);
}

} // namespace platform
