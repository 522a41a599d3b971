#include "LinuxNetworkStateSource.h"

#include "platform/dispatch/Dispatcher.h"

#include <QFile>
#include <QHostInfo>
#include <QNetworkInformation>
#include <QObject>

namespace platform {

namespace {

// The route lists are a few lines; more is not read.
constexpr qint64 kMaximumRouteText = 1024 * 1024;

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kMaximumRouteText);
}

QNetworkInformation* loadedNetworkInformation()
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return nullptr;
    return QNetworkInformation::instance();
}

} // namespace

LinuxNetworkStateSource::LinuxNetworkStateSource(Sibling<Dispatcher> dispatcher, Settings settings)
    : dispatcher_(std::move(dispatcher))
    , settings_(std::move(settings))
{
}

LinuxNetworkStateSource::~LinuxNetworkStateSource() = default;

QByteArray LinuxNetworkStateSource::routeText() const
{
    return readSmallFile(settings_.ipv4Routes) + '\0' + readSmallFile(settings_.ipv6Routes);
}

RouteTable LinuxNetworkStateSource::routes()
{
    return RouteTable::fromProcText(readSmallFile(settings_.ipv4Routes), readSmallFile(settings_.ipv6Routes));
}

bool LinuxNetworkStateSource::isDisconnected()
{
    return disconnected_;
}

QList<QHostAddress> LinuxNetworkStateSource::addressesOf(const QByteArray& nodeName)
{
    const QString name = QString::fromUtf8(nodeName);
    QHostAddress literal;
    if (literal.setAddress(name))
        return {literal};
    if (name.isEmpty())
        return {};
    const QHostInfo info = QHostInfo::fromName(name);
    return info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>();
}

void LinuxNetworkStateSource::setChangeHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
    networkInformationLink_.reset();
    timer_.reset();
    disconnected_ = false;
    if (!handler_)
        return;
    if (settings_.useNetworkInformation) {
        if (QNetworkInformation* information = loadedNetworkInformation()) {
            using Reachability = QNetworkInformation::Reachability;
            disconnected_ = information->reachability() == Reachability::Disconnected;
            networkInformationLink_ = std::make_unique<QObject>();
            QObject::connect(information, &QNetworkInformation::reachabilityChanged, networkInformationLink_.get(),
                             [this](Reachability now) {
                                 disconnected_ = now == Reachability::Disconnected;
                                 handler_();
                             });
            return;
        }
    }
    lastRoutes_ = routeText();
    timer_ = dispatcher_->scheduledTimer(settings_.pollInterval, true, [this] { poll(); });
}

void LinuxNetworkStateSource::poll()
{
    QByteArray now = routeText();
    if (now == lastRoutes_)
        return;
    lastRoutes_ = std::move(now);
    handler_();
}

} // namespace platform
