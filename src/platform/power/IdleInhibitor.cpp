#include "IdleInhibitor.h"

#include "platform/log/SystemLog.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>

namespace platform {

namespace {

const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kGnomeSession = QStringLiteral("org.gnome.SessionManager");
constexpr uint kInhibitIdle = 8;

// Plain method calls: no introspection round trip before each one.
QDBusMessage screenSaver(const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                       kScreenSaver, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

QDBusMessage gnomeSession(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kGnomeSession, QStringLiteral("/org/gnome/SessionManager"),
                                                       kGnomeSession, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

QDBusMessage loginManager(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kLogin, QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"), method);
    call.setArguments(arguments);
    return QDBusConnection::systemBus().call(call);
}

bool registered(const QDBusConnection& bus, const QString& service)
{
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service).value();
}

} // namespace

std::unique_ptr<IdleInhibitor> IdleInhibitor::create()
{
    // GNOME's screen saver service has no Inhibit; its session manager does.
    if (registered(QDBusConnection::sessionBus(), kGnomeSession))
        return std::unique_ptr<IdleInhibitor>(new IdleInhibitor(Service::GnomeSession));
    if (registered(QDBusConnection::sessionBus(), kScreenSaver))
        return std::unique_ptr<IdleInhibitor>(new IdleInhibitor(Service::ScreenSaver));
    if (registered(QDBusConnection::systemBus(), kLogin))
        return std::unique_ptr<IdleInhibitor>(new IdleInhibitor(Service::LoginManager));
    return nullptr;
}

IdleInhibitor::~IdleInhibitor()
{
    for (auto& [id, hold] : held_)
        release(std::move(hold));
}

int IdleInhibitor::IOPMAssertionCreateWithName(const QString&, int level, const QString& name,
                                               IOPMAssertionID* assertionID)
{
    if (!assertionID || level != kIOPMAssertionLevelOn)
        return kIOReturnError;
    Hold hold;
    if (service_ != Service::LoginManager) {
        const QDBusReply<uint> reply = service_ == Service::ScreenSaver
            ? screenSaver(QStringLiteral("Inhibit"), {QStringLiteral("Tavrin"), name})
            : gnomeSession(QStringLiteral("Inhibit"), {QStringLiteral("Tavrin"), 0u, name, kInhibitIdle});
        if (!reply.isValid()) {
            NSLog(QStringLiteral("The screen saver refused to stay off: ") + reply.error().message());
            return kIOReturnError;
        }
        hold.cookie = reply.value();
    } else {
        const QDBusReply<QDBusUnixFileDescriptor> reply = loginManager(
            QStringLiteral("Inhibit"), {QStringLiteral("idle"), QStringLiteral("Tavrin"), name, QStringLiteral("block")});
        if (!reply.isValid() || !reply.value().isValid()) {
            NSLog(QStringLiteral("The login manager refused the idle lock: ") + reply.error().message());
            return kIOReturnError;
        }
        // Close-on-exec: a program started meanwhile must not keep the lock after its release.
        hold.lock.reset(fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0));
    }
    QMutexLocker lock(&mutex_);
    *assertionID = next_++;
    held_[*assertionID] = std::move(hold);
    return kIOReturnSuccess;
}

int IdleInhibitor::IOPMAssertionRelease(IOPMAssertionID assertionID)
{
    Hold hold;
    {
        QMutexLocker lock(&mutex_);
        const auto found = held_.find(assertionID);
        if (found == held_.end())
            return kIOReturnNotFound;
        hold = std::move(found->second);
        held_.erase(found);
    }
    release(std::move(hold));
    return kIOReturnSuccess;
}

void IdleInhibitor::UpdateSystemActivity(int)
{
    if (service_ == Service::ScreenSaver)
        screenSaver(QStringLiteral("SimulateUserActivity"));
}

void IdleInhibitor::release(Hold hold)
{
    if (service_ == Service::GnomeSession)
        gnomeSession(QStringLiteral("Uninhibit"), {hold.cookie});
    else if (service_ == Service::ScreenSaver)
        screenSaver(QStringLiteral("UnInhibit"), {hold.cookie});
}

} // namespace platform
