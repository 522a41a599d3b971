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
    EXPECT_FALSE(platform::QtHttpClient().get(QUrl("data:text/plain,hello"), 2000)); // not HTTP
}

TEST(HttpClientTest, RefusesErrorStatusesAndAnswersAboveTheBound)
{
    const QByteArray body(100, 'x'), ok = "HTTP/1.1 200 OK\r\nContent-Length: ";
    EXPECT_TRUE(getFromServer(ok + "100\r\n\r\n" + body, 5000, 100));
    EXPECT_FALSE(getFromServer("HTTP/1.0 200 OK\r\n\r\n" + body, 5000, 99)); // over, unannounced
    EXPECT_FALSE(getFromServer(ok + "9000000000\r\n\r\n" + body, 5000, 1000));
    EXPECT_FALSE(getFromServer("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 100\r\n\r\n" + body, 5000, 1000));
}
