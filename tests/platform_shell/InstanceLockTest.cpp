#include "process/LinuxInstanceLock.h"

#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"
#include "TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using platform::InstanceLock;
using platform::LinuxInstanceLock;

namespace {

const QString kIdentifier = QStringLiteral("com.brenlow.Tavrin");

class InstanceLockTest : public testing::Test {
protected:
    // A copy that starts after `holder` took the lock gives way, and `holder` is told.
    void expectLaterCopyActivates(const int& activations)
    {
        const int before = activations;
        LinuxInstanceLock later(folder_);
        EXPECT_EQ(later.tryLock(kIdentifier), InstanceLock::Result::AnotherCopyRuns);
        EXPECT_TRUE(processEventsUntil([&] { return activations == before + 1; }));
    }

    test::TestPlatform platform_;  // for the log
    QString folder_ = test::makeTemporaryFolder(QStringLiteral("lock"));
};

} // namespace

TEST_F(InstanceLockTest, ALaterCopyLosesAndBringsTheFirstToTheFront)
{
    LinuxInstanceLock first(folder_);
    int activations = 0;
    first.setActivationHandler([&] { ++activations; });
    ASSERT_EQ(first.tryLock(kIdentifier), InstanceLock::Result::Acquired);
    EXPECT_EQ(first.tryLock(kIdentifier), InstanceLock::Result::Acquired);

    LinuxInstanceLock second(folder_);
    int secondActivations = 0;
    second.setActivationHandler([&] { ++secondActivations; });
    EXPECT_EQ(second.tryLock(kIdentifier), InstanceLock::Result::AnotherCopyRuns);
    EXPECT_TRUE(processEventsUntil([&] { return activations == 1; }));

    expectLaterCopyActivates(activations);
    EXPECT_EQ(secondActivations, 0);

    // Another bundle identifier is another program.
    LinuxInstanceLock other(folder_);
    EXPECT_EQ(other.tryLock(QStringLiteral("com.example.Other")), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, TheLockIsFreeOnceItsHolderIsGone)
{
    {
        LinuxInstanceLock holder(folder_);
        ASSERT_EQ(holder.tryLock(kIdentifier), InstanceLock::Result::Acquired);
    }
    LinuxInstanceLock next(folder_);
    int activations = 0;
    next.setActivationHandler([&] { ++activations; });
    ASSERT_EQ(next.tryLock(kIdentifier), InstanceLock::Result::Acquired);
    // The new holder is reachable in its turn.
    expectLaterCopyActivates(activations);
}

TEST_F(InstanceLockTest, ProgramsStartedByTheHolderDoNotKeepTheLock)
{
    QProcess child;
    {
        LinuxInstanceLock holder(folder_);
        ASSERT_EQ(holder.tryLock(kIdentifier), InstanceLock::Result::Acquired);
        child.start(QStringLiteral("cat"), QStringList{});
        ASSERT_TRUE(child.waitForStarted());
    }
    LinuxInstanceLock next(folder_);
    EXPECT_EQ(next.tryLock(kIdentifier), InstanceLock::Result::Acquired);
    child.closeWriteChannel();
    EXPECT_TRUE(child.waitForFinished());
}

TEST_F(InstanceLockTest, ASocketLeftByACopyThatDiedIsReplaced)
{
    // What a crashed copy leaves: a socket file nobody listens on.
    const QByteArray socketPath = QFile::encodeName(folder_ + QLatin1Char('/') + kIdentifier + QStringLiteral(".socket"));
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(socketPath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    const int dead = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(dead, 0);
    ASSERT_EQ(bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(dead);
    ASSERT_TRUE(QFile::exists(QFile::decodeName(socketPath)));

    LinuxInstanceLock holder(folder_);
    int activations = 0;
    holder.setActivationHandler([&] { ++activations; });
    ASSERT_EQ(holder.tryLock(kIdentifier), InstanceLock::Result::Acquired);
    expectLaterCopyActivates(activations);
}

TEST_F(InstanceLockTest, HostileIdentifiersStayInsideTheFolder)
{
    EXPECT_EQ(LinuxInstanceLock::fileStem(QStringLiteral("../../etc/x")), QStringLiteral(".._.._etc_x"));
    EXPECT_EQ(LinuxInstanceLock::fileStem(QStringLiteral("com.ex ample/$(id)")), QStringLiteral("com.ex_ample___id_"));

    LinuxInstanceLock lock(folder_);
    EXPECT_EQ(lock.tryLock(QStringLiteral("../escape")), InstanceLock::Result::Acquired);
    EXPECT_TRUE(QFile::exists(folder_ + QStringLiteral("/.._escape.lock")));
    EXPECT_FALSE(QFile::exists(QFileInfo(folder_).path() + QStringLiteral("/escape.lock")));

    LinuxInstanceLock empty(folder_);
    EXPECT_EQ(empty.tryLock(QString()), InstanceLock::Result::Unavailable);
    LinuxInstanceLock nowhere(folder_ + QStringLiteral("/missing/folder"));
    EXPECT_EQ(nowhere.tryLock(kIdentifier), InstanceLock::Result::Unavailable);
}

TEST_F(InstanceLockTest, AStrangerInvitesNothing)
{
    LinuxInstanceLock holder(folder_);
    int activations = 0;
    holder.setActivationHandler([&] { ++activations; });
    ASSERT_EQ(holder.tryLock(kIdentifier), InstanceLock::Result::Acquired);

    QLocalSocket stranger;
    stranger.connectToServer(folder_ + QLatin1Char('/') + kIdentifier + QStringLiteral(".socket"));
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write(QByteArray(200, 'x') + "\nactivate\n");
    ASSERT_TRUE(stranger.waitForBytesWritten(1000));
    bool closed = false;
    QObject::connect(&stranger, &QLocalSocket::disconnected, [&] { closed = true; });
    EXPECT_TRUE(processEventsUntil([&] { return closed; }));
    EXPECT_EQ(activations, 0);
}
