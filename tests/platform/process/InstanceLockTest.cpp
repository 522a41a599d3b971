#include "platform/process/LinuxInstanceLock.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"
#include "TestPlatform.h"

#include <QFile>
#include <QFileInfo>
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

using platform::LinuxInstanceLock;
using Result = platform::InstanceLock::Result;

namespace {

const QString kIdentifier = "com.brenlow.Tavrin";

class InstanceLockTest : public testing::Test {
protected:
    // A copy that holds the lock and counts how often it is brought to the front.
    std::unique_ptr<LinuxInstanceLock> holder(LinuxInstanceLock::Timing timing = {})
    {
        auto lock = std::make_unique<LinuxInstanceLock>(folder_, std::move(timing));
        lock->setActivationHandler([this] { ++activations_; });
        EXPECT_EQ(lock->tryLock(kIdentifier), Result::Acquired);
        return lock;
    }
    // A copy that starts later gives way, and the holder is told.
    void expectLaterCopyActivates()
    {
        const int before = activations_;
        EXPECT_EQ(LinuxInstanceLock(folder_).tryLock(kIdentifier), Result::AnotherCopyRuns);
        EXPECT_TRUE(processEventsUntil([&] { return activations_ == before + 1; }));
    }
    QString path(const char* suffix) const { return folder_ + '/' + kIdentifier + suffix; }
    test::TestPlatform platform_; // for the log
    QString folder_ = test::makeTemporaryFolder("lock");
    int activations_ = 0;
};

} // namespace

TEST_F(InstanceLockTest, ALaterCopyLosesAndBringsTheFirstToTheFront)
{
    const auto first = holder();
    EXPECT_EQ(first->tryLock(kIdentifier), Result::Acquired);
    LinuxInstanceLock second(folder_);
    int secondActivations = 0;
    second.setActivationHandler([&] { ++secondActivations; });
    EXPECT_EQ(second.tryLock(kIdentifier), Result::AnotherCopyRuns);
    EXPECT_TRUE(processEventsUntil([&] { return activations_ == 1; }));
    expectLaterCopyActivates();
    EXPECT_EQ(secondActivations, 0);
    // Another bundle identifier is another program.
    EXPECT_EQ(LinuxInstanceLock(folder_).tryLock("com.example.Other"), Result::Acquired);
}

TEST_F(InstanceLockTest, ProgramsStartedByTheHolderDoNotKeepTheLock)
{
    QProcess child;
    {
        const auto first = holder();
        child.start("cat", QStringList{});
        ASSERT_TRUE(child.waitForStarted());
    }
    EXPECT_EQ(LinuxInstanceLock(folder_).tryLock(kIdentifier), Result::Acquired);
    child.closeWriteChannel();
    EXPECT_TRUE(child.waitForFinished());
}

TEST_F(InstanceLockTest, ASocketLeftByACopyThatDiedIsReplaced)
{
    // What a crashed copy leaves: a socket file nobody listens on.
    const QByteArray socketPath = QFile::encodeName(path(".socket"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(socketPath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    const int dead = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(dead);
    const auto first = holder();
    expectLaterCopyActivates();
}

TEST_F(InstanceLockTest, HostileIdentifiersStayInsideTheFolder)
{
    EXPECT_EQ(LinuxInstanceLock::fileStem("../../etc/x"), ".._.._etc_x");
    EXPECT_EQ(LinuxInstanceLock::fileStem("com.ex ample/$(id)"), "com.ex_ample___id_");
    EXPECT_EQ(LinuxInstanceLock(folder_).tryLock("../escape"), Result::Acquired);
    EXPECT_TRUE(QFile::exists(folder_ + "/.._escape.lock"));
    EXPECT_FALSE(QFile::exists(QFileInfo(folder_).path() + "/escape.lock"));
    EXPECT_EQ(LinuxInstanceLock(folder_).tryLock(QString()), Result::Unavailable);
    EXPECT_EQ(LinuxInstanceLock(folder_ + "/missing/folder").tryLock(kIdentifier), Result::Unavailable);
    EXPECT_EQ(LinuxInstanceLock(QString()).tryLock(kIdentifier), Result::Unavailable);
    EXPECT_TRUE(platform_.log().messages().last().contains("runs unguarded"));
}

TEST_F(InstanceLockTest, TheLockLivesOnlyWhereNoOneElseCanOwnIt)
{
    const QString runtime = test::makeTemporaryFolder("runtime");
    const QString open = test::makeTemporaryFolder("open");
    chmod(QFile::encodeName(runtime).constData(), 0700);
    chmod(QFile::encodeName(open).constData(), 0777);
    const QString home = test::makeTemporaryFolder("home");
    const QString state = home + "/.local/state/tavrin";
    const QString planted = test::makeTemporaryFolder("planted");
    QFile::link(runtime, planted + "/tavrin");
    const struct {
        const char* name;
        QString runtime, state;
        unsigned uid; // another uid stands for folders that someone else made first
        QString folder;
    } cases[] = {
        {"private runtime folder", runtime, planted, getuid(), runtime},
        {"runtime folder open to others", open, QString(), getuid(), state},
        {"relative folders", "run", "state", getuid(), state},
        {"state folder planted as a link", QString(), planted, getuid(), QString()},
        {"everything someone else's", runtime, QString(), getuid() + 1, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinuxInstanceLock::folderFor(c.runtime, c.state, home, c.uid), c.folder) << c.name;
}

TEST_F(InstanceLockTest, SilentClientsAreClosedAndARequestStillActivates)
{
    const auto first = holder({.idleTimeout = std::chrono::milliseconds(0)});
    int closed = 0;
    QLocalSocket clients[5];
    for (QLocalSocket& client : clients) {
        QObject::connect(&client, &QLocalSocket::disconnected, [&] { ++closed; });
        client.connectToServer(path(".socket"));
        ASSERT_TRUE(client.waitForConnected(1000));
    }
    EXPECT_TRUE(processEventsUntil([&] { return closed == 5; }));
    expectLaterCopyActivates();
}

TEST_F(InstanceLockTest, AStrangerInvitesNothing)
{
    const auto first = holder();
    QLocalSocket stranger;
    stranger.connectToServer(path(".socket"));
    ASSERT_TRUE(stranger.waitForConnected(1000));
    bool closed = false;
    QObject::connect(&stranger, &QLocalSocket::disconnected, [&] { closed = true; });
    stranger.write(QByteArray(200, 'x') + "\nactivate\n");
    EXPECT_TRUE(processEventsUntil([&] { return closed; }));
    EXPECT_EQ(activations_, 0);
}

TEST_F(InstanceLockTest, ALaterCopyReachesAHolderThatIsNotListeningYet)
{
    // The first copy has taken the lock but not yet opened its socket...
    const int early = ::open(QFile::encodeName(path(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(early, LOCK_EX | LOCK_NB), 0);
    std::unique_ptr<LinuxInstanceLock> first;
    int pauses = 0;
    // ...and starts listening only once the later copy's first attempt has failed.
    LinuxInstanceLock later(folder_, {.pause = [&] {
        if (pauses++ == 0) {
            ::close(early);
            first = holder();
        }
    }});
    EXPECT_EQ(later.tryLock(kIdentifier), Result::AnotherCopyRuns);
    EXPECT_EQ(pauses, 1);
    EXPECT_TRUE(processEventsUntil([&] { return activations_ == 1; }));
}
