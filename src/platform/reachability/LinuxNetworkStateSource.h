#pragma once

#include "NetworkStateSource.h"

#include "platform/Sibling.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <memory>

class QObject;

namespace platform {

class Dispatcher;
class TimerHandle;

// The machine's network: changes come from Qt's network information where a backend of it
// loads, else from the kernel's route lists read on a timer and compared; routes are read
// from those lists; names are resolved by the system's resolver. Nothing is watched until a
// handler is set. The route lists' timer runs on `dispatcher`.
class LinuxNetworkStateSource final : public NetworkStateSource {
public:
    struct Settings {
        QString ipv4Routes = QStringLiteral("/proc/net/route");
        QString ipv6Routes = QStringLiteral("/proc/net/ipv6_route");
        bool useNetworkInformation = true;
        std::chrono::milliseconds pollInterval{2000};
    };

    LinuxNetworkStateSource(Sibling<Dispatcher> dispatcher, Settings settings);
    ~LinuxNetworkStateSource() override;

    RouteTable routes() override;
    bool isDisconnected() override;
    QList<QHostAddress> addressesOf(const QByteArray& nodeName) override;
    void setChangeHandler(std::function<void()> handler) override;

private:
    QByteArray routeText() const;
    void poll();

    Sibling<Dispatcher> dispatcher_;
    Settings settings_;
    std::function<void()> handler_;
    std::unique_ptr<QObject> networkInformationLink_;
    // Written on the main thread, read on the reachability queues: Qt's object stays on the
    // main thread.
    std::atomic<bool> disconnected_{false};
    std::unique_ptr<TimerHandle> timer_;
    QByteArray lastRoutes_;
};

} // namespace platform
