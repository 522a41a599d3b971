#include "LinuxInstanceLock.h"

#include "platform/folders/PrivateFolder.h"
#include "platform/log/SystemLog.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");
// A request longer than this is no request of ours.
constexpr qint64 kMaximumRequest = 64;
// How long a later copy keeps trying to reach the first one, which may hold the lock but not
// listen yet when both start together.
constexpr int kReachTimeoutMs = 2000;

} // namespace

LinuxInstanceLock::LinuxInstanceLock(QString folder)
    : LinuxInstanceLock(std::move(folder), Timing{})
{
}

LinuxInstanceLock::LinuxInstanceLock(QString folder, Timing timing)
    : folder_(std::move(folder))
    , timing_(std::move(timing))
{
}

LinuxInstanceLock::~LinuxInstanceLock() = default;

QString LinuxInstanceLock::fileStem(const QString& bundleIdentifier)
{
    QString stem;
    for (const QChar c : bundleIdentifier) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')
            || c == QLatin1Char('-') || c == QLatin1Char('_');
        stem += plain ? c : QLatin1Char('_');
    }
    return stem;
}

InstanceLock::Result LinuxInstanceLock::tryLock(const QString& bundleIdentifier)
{
    if (fd_.isValid())
        return bundleIdentifier == heldIdentifier_ ? Result::Acquired : Result::Unavailable;
    const QString stem = fileStem(bundleIdentifier);
    if (stem.isEmpty())
        return Result::Unavailable;
    if (folder_.isEmpty()) {
        NSLog(QStringLiteral("No folder of this user's own for the instance lock; this copy runs unguarded"));
        return Result::Unavailable;
    }
    const QString base = folder_ + QLatin1Char('/') + stem;

    // Close-on-exec: a program this copy starts must not keep the lock after it has gone.
    FileDescriptor fd(::open(QFile::encodeName(base + QStringLiteral(".lock")).constData(),
                             O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.isValid()) {
        NSLog(QStringLiteral("Cannot open the instance lock in %1: %2").arg(folder_, QString::fromLocal8Bit(std::strerror(errno))));
        return Result::Unavailable;
    }
    int status;
    do {
        status = ::flock(fd.get(), LOCK_EX | LOCK_NB);
    } while (status != 0 && errno == EINTR);
    if (status == 0) {
        fd_ = std::move(fd);
        heldIdentifier_ = bundleIdentifier;
        listen(base + QStringLiteral(".socket"));
        return Result::Acquired;
    }
    const int error = errno;
    fd.reset();
    if (error != EWOULDBLOCK) {
        NSLog(QStringLiteral("Cannot take the instance lock: %1").arg(QString::fromLocal8Bit(std::strerror(error))));
        return Result::Unavailable;
    }
    if (!askToActivate(base + QStringLiteral(".socket")))
        NSLog(QStringLiteral("The running copy could not be asked to come to the front"));
    return Result::AnotherCopyRuns;
}

QString LinuxInstanceLock::defaultFolder()
{
    QString home = qEnvironmentVariable("HOME");
    if (!home.startsWith(QLatin1Char('/'))) {
        const passwd* entry = getpwuid(getuid());
        home = entry && entry->pw_dir ? QFile::decodeName(entry->pw_dir) : QString();
    }
    return folderFor(qEnvironmentVariable("XDG_RUNTIME_DIR"), qEnvironmentVariable("XDG_STATE_HOME"), home, getuid());
}

QString LinuxInstanceLock::folderFor(const QString& runtimeDirectory, const QString& stateHome,
                                     const QString& home, unsigned uid)
{
    if (runtimeDirectory.startsWith(QLatin1Char('/')) && PrivateFolder::isPrivate(runtimeDirectory, uid))
        return runtimeDirectory;
    QString state = stateHome;
    if (!state.startsWith(QLatin1Char('/'))) {
        if (!home.startsWith(QLatin1Char('/')))
            return {};
        state = home + QStringLiteral("/.local/state");
    }
    // Never a fresh folder of this copy's own: every copy has to find the same lock.
    if (!QDir().mkpath(state))
        return {};
    return PrivateFolder::make(state + QStringLiteral("/tavrin"), uid);
}

void LinuxInstanceLock::setActivationHandler(std::function<void()> activate)
{
    activate_ = std::move(activate);
}

void LinuxInstanceLock::listen(const QString& socketPath)
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A copy that died left its socket behind; holding the lock makes the name ours.
    QLocalServer::removeServer(socketPath);
    if (!server_->listen(socketPath)) {
        NSLog(QStringLiteral("Cannot listen for other copies: ") + server_->errorString());
        server_.reset();
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection())
            receive(socket);
    });
}

void LinuxInstanceLock::receive(QLocalSocket* socket)
{
    auto handled = std::make_shared<bool>(false);
    auto read = [this, socket, handled] {
        if (*handled || (!socket->canReadLine() && socket->bytesAvailable() < kMaximumRequest))
            return;
        *handled = true;
        const QByteArray line = socket->readLine(kMaximumRequest);
        socket->disconnectFromServer();
        if (line == kActivate && activate_) {
            auto activate = activate_;
            activate();
        }
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // A silent connection would hold a descriptor for as long as it liked.
    QTimer::singleShot(timing_.idleTimeout, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    // A later copy writes as soon as it is connected: take what is there now, so its request
    // never races the time-out.
    socket->waitForReadyRead(0);
    read();
}

bool LinuxInstanceLock::askToActivate(const QString& socketPath) const
{
    const QDeadlineTimer deadline(kReachTimeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(int(std::max<qint64>(deadline.remainingTime(), 0))))
            break;
        socket.abort();
        if (deadline.hasExpired())
            return false;
        timing_.pause();
    }
    socket.write(kActivate);
    const bool written = socket.waitForBytesWritten(int(std::max<qint64>(deadline.remainingTime(), 100)));
    socket.disconnectFromServer();
    return written || socket.bytesToWrite() == 0;
}

} // namespace platform
