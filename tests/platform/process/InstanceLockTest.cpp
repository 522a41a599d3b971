#include "platform/process/LinuxInstanceLock.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"
#include "TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

    QString path(const char* suffix) const { return folder_ + QLatin1Char('/') + kIdentifier + QLatin1String(suffix); }

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
    const QByteArray socketPath = QFile::encodeName(path(".socket"));
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
    LinuxInstanceLock unsafe{QString()};
    EXPECT_EQ(unsafe.tryLock(kIdentifier), InstanceLock::Result::Unavailable);
    EXPECT_TRUE(platform_.log().messages().last().contains(QStringLiteral("runs unguarded")));
}

TEST_F(InstanceLockTest, TheLockLivesOnlyWhereNoOneElseCanOwnIt)
{
    const QString runtime = test::makeTemporaryFolder(QStringLiteral("runtime"));
    const QString open = test::makeTemporaryFolder(QStringLiteral("open"));
    chmod(QFile::encodeName(runtime).constData(), 0700);
    chmod(QFile::encodeName(open).constData(), 0777);
    const QString home = test::makeTemporaryFolder(QStringLiteral("home"));
    const QString state = home + QStringLiteral("/.local/state/tavrin");
    const QString planted = test::makeTemporaryFolder(QStringLiteral("planted"));
    QFile::link(runtime, planted + QStringLiteral("/tavrin"));
    const struct {
        const char* name;
        QString runtime, state;
        unsigned uid; // another uid stands for folders that someone else made first
        QString folder;
    } cases[] = {
        {"private runtime folder", runtime, planted, getuid(), runtime},
        {"runtime folder open to others", open, QString(), getuid(), state},
        {"relative folders", QStringLiteral("run"), QStringLiteral("state"), getuid(), state},
        {"state folder planted as a link", QString(), planted, getuid(), QString()},
        {"everything someone else's", runtime, QString(), getuid() + 1, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinuxInstanceLock::folderFor(c.runtime, c.state, home, c.uid), c.folder) << c.name;
}

TEST_F(InstanceLockTest, SilentClientsAreClosedAndARequestStillActivates)
{
    LinuxInstanceLock holder(folder_, {.idleTimeout = std::chrono::milliseconds(0)});
    int activations = 0;
    holder.setActivationHandler([&] { ++activations; });
    ASSERT_EQ(holder.tryLock(kIdentifier), InstanceLock::Result::Acquired);
    int closed = 0;
    QLocalSocket silent[5];
    for (QLocalSocket& client : silent) {
        QObject::connect(&client, &QLocalSocket::disconnected, [&] { ++closed; });
        client.connectToServer(path(".socket"));
        ASSERT_TRUE(client.waitForConnected(1000));
    }
    EXPECT_TRUE(processEventsUntil([&] { return closed == 5; }));
    expectLaterCopyActivates(activations);
}

TEST_F(InstanceLockTest, ALaterCopyReachesAHolderThatIsNotListeningYet)
{
    // The first copy has taken the lock but not yet opened its socket...
    const int early = ::open(QFile::encodeName(path(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(early, LOCK_EX | LOCK_NB), 0);
    LinuxInstanceLock first(folder_);
    int activations = 0;
    first.setActivationHandler([&] { ++activations; });
    int pauses = 0;
    // ...and starts listening only once the later copy's first attempt has failed.
    LinuxInstanceLock later(folder_, {.pause = [&] {
        if (pauses++ == 0) {
            ::close(early);
            EXPECT_EQ(first.tryLock(kIdentifier), InstanceLock::Result::Acquired);
        }
    }});
    EXPECT_EQ(later.tryLock(kIdentifier), InstanceLock::Result::AnotherCopyRuns);
    EXPECT_EQ(pauses, 1);
    EXPECT_TRUE(processEventsUntil([&] { return activations == 1; }));
}

TEST_F(InstanceLockTest, AStrangerInvitesNothing)
{
    LinuxInstanceLock holder(folder_);
    int activations = 0;
    holder.setActivationHandler([&] { ++activations; });
    ASSERT_EQ(holder.tryLock(kIdentifier), InstanceLock::Result::Acquired);

    QLocalSocket stranger;
    stranger.connectToServer(path(".socket"));
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write(QByteArray(200, 'x') + "\nactivate\n");
    ASSERT_TRUE(stranger.waitForBytesWritten(1000));
    bool closed = false;
    QObject::connect(&stranger, &QLocalSocket::disconnected, [&] { closed = true; });
    EXPECT_TRUE(processEventsUntil([&] { return closed; }));
    EXPECT_EQ(activations, 0);
}
