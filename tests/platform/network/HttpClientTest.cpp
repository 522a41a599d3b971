#include "platform/network/QtHttpClient.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A local server that answers every request with `reply`, or never answers when it has none.
std::optional<QByteArray> getFromServer(const std::optional<QByteArray>& reply, int timeoutMs,
                                       qint64 maximumBodySize = platform::HttpClient::kMaximumBodySize)
{
    QTcpServer server;
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, reply] {
            socket->readAll();
            if (reply) {
                socket->write(*reply);
                socket->disconnectFromHost();
            }
        });
    });
    return platform::QtHttpClient(maximumBodySize).get(QUrl(QString("http://127.0.0.1:%1/").arg(server.serverPort())), timeoutMs);
}

} // namespace

TEST(HttpClientTest, GivesTheBodyOfAnAnsweredRequestAndNothingOnSilenceOrABadAddress)
{
    EXPECT_EQ(getFromServer("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello", 5000), "hello");
    EXPECT_FALSE(getFromServer(std::nullopt, 200)); // the time-out ends the wait
    EXPECT_FALSE(platform::QtHttpClient().get(QUrl(), 2000));
}

TEST(HttpClientTest, RefusesErrorStatusesAndAnswersAboveTheBound)
{
    const QByteArray body(100, 'x');
    const auto answer = [&](const QByteArray& status, const QByteArray& length) {
        return "HTTP/1.1 " + status + "\r\nContent-Length: " + length + "\r\nConnection: close\r\n\r\n" + body;
    };
    struct Case {
        const char* name;
        QByteArray reply;
        qint64 bound;
        bool answered;
    } cases[] = {
        {"exactly the bound", answer("200 OK", "100"), 100, true},
        {"one byte over", answer("200 OK", "100"), 99, false},
        {"over, the length not announced", "HTTP/1.0 200 OK\r\n\r\n" + body, 99, false},
        {"a huge length announced", answer("200 OK", "9000000000"), 1000, false},
        {"not found", answer("404 Not Found", "100"), 1000, false},
        {"server error", answer("500 Internal Server Error", "100"), 1000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(getFromServer(c.reply, 5000, c.bound).has_value(), c.answered);
    }
}
