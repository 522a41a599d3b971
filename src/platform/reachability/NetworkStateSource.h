#pragma once

#include "RouteTable.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>

#include <functional>

namespace platform {

// What the reachability service learns from the machine: its routes, whether it is offline
// altogether, the addresses of a name, and word when the network changes.
class NetworkStateSource {
public:
    virtual ~NetworkStateSource() = default;
    virtual RouteTable routes() = 0;
    // True only when the machine is known to have no network at all.
    virtual bool isDisconnected() = 0;
    // Blocks while the name is resolved; nothing when it does not resolve.
    virtual QList<QHostAddress> addressesOf(const QByteArray& nodeName) = 0;
    // The handler runs on the main thread at each change, while set; an empty one stops watching.
    virtual void setChangeHandler(std::function<void()> handler) = 0;
};

} // namespace platform
