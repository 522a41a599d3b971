#include "QtHttpClient.h"

#include "HttpResponseReader.h"
#include "platform/log/SystemLog.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSslSocket>
#include <QTimer>

#include <memory>

namespace platform {

namespace {

// What one read takes off the socket, and all that the socket may hold before it is read.
constexpr qint64 kReadPiece = 64 * 1024;

bool isHttp(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QByteArray requestFor(const QUrl& url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    const QByteArray host = url.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1();
    return "GET " + target + " HTTP/1.1\r\nHost: " + host
        + "\r\nAccept: */*\r\nAccept-Encoding: identity\r\nConnection: close\r\nUser-Agent: Tavrin\r\n\r\n";
}

// One request over a connection of its own, read into `reader` until it decides or the deadline.
void fetch(const QUrl& url, HttpResponseReader& reader, const QDeadlineTimer& deadline)
{
    const bool secure = url.scheme() == QLatin1String("https");
    std::unique_ptr<QTcpSocket> socket = secure ? std::make_unique<QSslSocket>() : std::make_unique<QTcpSocket>();
    socket->setReadBufferSize(kReadPiece);
    QEventLoop loop;
    const auto readAvailable = [&] {
        while (reader.state() == HttpResponseReader::State::Reading && socket->bytesAvailable() > 0)
            reader.feed(socket->read(kReadPiece));
        if (reader.state() != HttpResponseReader::State::Reading)
            loop.quit();
    };
    const auto closed = [&] {
        readAvailable();
        reader.finish();
        loop.quit();
    };
    QObject::connect(socket.get(), &QIODevice::readyRead, &loop, readAvailable);
    QObject::connect(socket.get(), &QAbstractSocket::disconnected, &loop, closed);
    QObject::connect(socket.get(), &QAbstractSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            closed();
        else
            loop.quit();
    });
    const auto send = [&, request = requestFor(url)] { socket->write(request); };
    if (secure) {
        auto* tls = static_cast<QSslSocket*>(socket.get());
        QObject::connect(tls, &QSslSocket::encrypted, &loop, send);
        tls->connectToHostEncrypted(url.host(), quint16(url.port(443)));
    } else {
        QObject::connect(socket.get(), &QAbstractSocket::connected, &loop, send);
        socket->connectToHost(url.host(), quint16(url.port(80)));
    }
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(int(deadline.remainingTime()));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // Aborting reports a close, which must not complete a body cut off by the time-out.
    QObject::disconnect(socket.get(), nullptr, &loop, nullptr);
    socket->abort();
}

} // namespace

std::optional<QByteArray> QtHttpClient::get(const QUrl& url, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QUrl target = url;
    for (int redirects = 0; isHttp(target) && redirects <= kMaximumRedirects && !deadline.hasExpired(); ++redirects) {
        HttpResponseReader reader(maximumBodySize_);
        fetch(target, reader, deadline);
        switch (reader.state()) {
        case HttpResponseReader::State::Complete:
            return reader.body();
        case HttpResponseReader::State::Refused:
            NSLog(QStringLiteral("HTTP: refused the answer of %1: %2").arg(target.toDisplayString(), reader.refusal()));
            return std::nullopt;
        case HttpResponseReader::State::Reading:
            return std::nullopt;
        case HttpResponseReader::State::Redirected:
            break;
        }
        const QUrl next = target.resolved(QUrl::fromEncoded(reader.location()));
        if (target.scheme() == QLatin1String("https") && next.scheme() != QLatin1String("https"))
            return std::nullopt;
        target = next;
    }
    return std::nullopt;
}

} // namespace platform
