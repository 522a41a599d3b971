#include "platform/network/QtHttpClient.h"

#include "IsolatedEnvironment.h"

#include <QElapsedTimer>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

// A loopback server, over TLS when `secure`, that answers each request with `reply(path)`. Then it
// closes the connection, or, when `stream` is set, keeps it open and writes `stream` over and over
// (nothing, when empty) until the client goes; `written` counts what it handed to the connection.
class LocalServer {
public:
    LocalServer(std::function<QByteArray(const QByteArray&)> reply, std::optional<QByteArray> stream = std::nullopt,
                bool secure = false)
    {
        if (secure) {
            auto tls = std::make_unique<QSslServer>();
            QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
            configuration.setLocalCertificate(QSslCertificate(test::readFile(test::fixturePath("tls/localhost.crt"))));
            configuration.setPrivateKey(QSslKey(test::readFile(test::fixturePath("tls/localhost.key")), QSsl::Ec));
            tls->setSslConfiguration(configuration);
            server_ = std::move(tls);
        }
        EXPECT_TRUE(server_->listen(QHostAddress::LocalHost));
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, [this, reply, stream] {
            QTcpSocket* socket = server_->nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, reply, stream] {
                const QByteArray request = socket->readAll();
                send(socket, reply(request.split(' ').value(1)));
                if (!stream)
                    socket->disconnectFromHost();
                else if (!stream->isEmpty())
                    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket, stream] {
                        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < (1 << 20))
                            send(socket, *stream);
                    });
            });
        });
    }
    QUrl url(const char* path = "/") const
    {
        return QUrl(QString("%1://127.0.0.1:%2%3").arg(dynamic_cast<QSslServer*>(server_.get()) ? "https" : "http")
                        .arg(server_->serverPort()).arg(path));
    }
    qint64 written = 0;

private:
    void send(QTcpSocket* socket, const QByteArray& bytes)
    {
        written += bytes.size();
        socket->write(bytes);
    }
    std::unique_ptr<QTcpServer> server_ = std::make_unique<QTcpServer>();
};

const QByteArray ok = "HTTP/1.1 200 OK\r\n";

} // namespace

TEST(HttpClientTest, GivesTheBodyOfAnAnsweredRequestAndNothingOnSilenceOrABadAddress)
{
    LocalServer hello([](const QByteArray&) { return ok + "Content-Length: 5\r\nConnection: close\r\n\r\nhello"; });
    EXPECT_EQ(platform::QtHttpClient().get(hello.url(), 5000), "hello");
    LocalServer silent([](const QByteArray&) { return QByteArray(); }, QByteArray());
    EXPECT_FALSE(platform::QtHttpClient().get(silent.url(), 200)); // the time-out ends the wait
    LocalServer stalled([](const QByteArray&) { return "HTTP/1.0 200 OK\r\n\r\npart"; }, QByteArray());
    EXPECT_FALSE(platform::QtHttpClient().get(stalled.url(), 200)); // a body to the close, cut short
    EXPECT_FALSE(platform::QtHttpClient().get(QUrl(), 2000));
    EXPECT_FALSE(platform::QtHttpClient().get(QUrl("data:text/plain,hello"), 2000)); // not HTTP
}

TEST(HttpClientTest, RefusesErrorStatusesAndAnswersAboveTheBound)
{
    const QByteArray body(100, 'x');
    const struct {
        QByteArray reply;
        qint64 bound;
        bool given;
    } cases[] = {
        {ok + "Content-Length: 100\r\n\r\n" + body, 100, true},
        {ok + "Transfer-Encoding: chunked\r\n\r\n64\r\n" + body + "\r\n0\r\n\r\n", 100, true},
        {"HTTP/1.0 200 OK\r\n\r\n" + body, 99, false}, // over, unannounced
        {"HTTP/1.1 500 Internal Server Error\r\nContent-Length: 100\r\n\r\n" + body, 1000, false},
    };
    for (const auto& c : cases) {
        LocalServer server([&](const QByteArray&) { return c.reply; });
        EXPECT_EQ(bool(platform::QtHttpClient(c.bound).get(server.url(), 5000)), c.given) << c.reply.left(40).toStdString();
    }
}

// An answer that never ends is cut off within a bounded read, and an announced length over the
// bound is refused as the headers arrive, not at the time-out.
TEST(HttpClientTest, EndlessAnswersAreCutOffEarly)
{
    const struct {
        const char* name;
        QByteArray start, stream;
    } cases[] = {
        {"endless body", "HTTP/1.0 200 OK\r\n\r\n", QByteArray(64 * 1024, 'x')},
        {"endless headers", ok, QByteArray("X-Filler: ").append(QByteArray(1000, 'y')).append("\r\n").repeated(64)},
        {"ten gigabytes announced, then silence", ok + "Content-Length: 10000000000\r\n\r\n", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocalServer server([&](const QByteArray&) { return c.start; }, c.stream);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(platform::QtHttpClient(1 << 20).get(server.url(), 60000));
        EXPECT_LT(clock.elapsed(), 30000);
        EXPECT_LT(server.written, 8 << 20); // a client that buffers what it gets took 70 MB here
    }
}

TEST(HttpClientTest, FollowsRedirectionsToTheirEnd)
{
    LocalServer server([](const QByteArray& path) -> QByteArray {
        if (path == "/loop")
            return "HTTP/1.1 302 Found\r\nLocation: /loop\r\n\r\n";
        if (path == "/")
            return "HTTP/1.1 301 Moved\r\nLocation: /moved?x=%20\r\nContent-Length: 0\r\n\r\n";
        return ok + "Content-Length: " + QByteArray::number(path.size()) + "\r\n\r\n" + path;
    });
    EXPECT_EQ(platform::QtHttpClient().get(server.url(), 5000), "/moved?x=%20");
    EXPECT_FALSE(platform::QtHttpClient().get(server.url("/loop"), 5000));
}

// TLS with a certificate the client trusts; an untrusted one, and a step down from https to
// plain http, give nothing.
TEST(HttpClientTest, SecureAnswersNeverStepDownToPlainHttp)
{
    LocalServer plain([](const QByteArray&) { return ok + "Content-Length: 5\r\n\r\nplain"; });
    const QByteArray down = "HTTP/1.1 302 Found\r\nLocation: " + plain.url().toEncoded() + "\r\n\r\n";
    LocalServer secure([&](const QByteArray& path) { return path == "/down" ? down : ok + "Content-Length: 6\r\n\r\nsecret"; },
                       std::nullopt, true);
    EXPECT_FALSE(platform::QtHttpClient().get(secure.url(), 5000)); // not trusted yet
    const QSslConfiguration before = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = before;
    trusting.addCaCertificate(QSslCertificate(test::readFile(test::fixturePath("tls/localhost.crt"))));
    QSslConfiguration::setDefaultConfiguration(trusting);
    EXPECT_EQ(platform::QtHttpClient().get(secure.url(), 5000), "secret");
    EXPECT_FALSE(platform::QtHttpClient().get(secure.url("/down"), 5000));
    QSslConfiguration::setDefaultConfiguration(before);
}
