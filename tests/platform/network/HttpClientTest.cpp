#include "platform/network/QtHttpClient.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(HttpClientTest, GivesTheBodyOfAnAnsweredRequest)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello");
            socket->disconnectFromHost();
        });
    });
    const auto body = platform::QtHttpClient().get(
        QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort())), 5000);
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(*body, QByteArray("hello"));
}

TEST(HttpClientTest, SilentServerGivesNothingAfterTheTimeOut)
{
    QTcpServer server; // accepts connections and never answers
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    std::vector<QTcpSocket*> kept;
    QObject::connect(&server, &QTcpServer::newConnection, [&] { kept.push_back(server.nextPendingConnection()); });
    EXPECT_FALSE(platform::QtHttpClient()
                     .get(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort())), 200)
                     .has_value());
}

TEST(HttpClientTest, ErrorsAndBadAddressesGiveNothing)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 closedPort = server.serverPort();
    server.close();
    platform::QtHttpClient client;
    EXPECT_FALSE(client.get(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort)), 2000).has_value());
    EXPECT_FALSE(client.get(QUrl(), 2000).has_value());
}
