#include "platform/network/QtHttpClient.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A local server that answers every request with `reply`, or never answers when it has none.
std::optional<QByteArray> getFromServer(const std::optional<QByteArray>& reply, int timeoutMs)
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
    return platform::QtHttpClient().get(QUrl(QString("http://127.0.0.1:%1/").arg(server.serverPort())), timeoutMs);
}

} // namespace

TEST(HttpClientTest, GivesTheBodyOfAnAnsweredRequestAndNothingOnSilenceOrABadAddress)
{
    EXPECT_EQ(getFromServer("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello", 5000), "hello");
    EXPECT_FALSE(getFromServer(std::nullopt, 200)); // the time-out ends the wait
    EXPECT_FALSE(platform::QtHttpClient().get(QUrl(), 2000));
}
