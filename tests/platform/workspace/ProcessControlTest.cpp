#include "platform/process/LinuxProcessControl.h"
#include "platform/workspace/ProcessTable.h"

#include "Fakes.h"
#include "TestPlatform.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using platform::LinuxProcessControl;
using platform::ProcessTable;
using Outcome = platform::ProcessControl::Outcome;

namespace {

// A child of the test that sleeps until it is killed; reaped at the end in any case.
class SleepingChild {
public:
    SleepingChild()
    {
        char sleep[] = "sleep";
        char seconds[] = "600";
        char* argv[] = {sleep, seconds, nullptr};
        if (posix_spawnp(&pid_, "sleep", nullptr, nullptr, argv, environ) != 0)
            pid_ = 0;
        if (auto stat = ProcessTable::readStat(QStringLiteral("/proc"), pid_))
            startTime_ = stat->startTime;
    }
    ~SleepingChild()
    {
        if (pid_ > 0 && !reaped_) {
            kill(pid_, SIGKILL);
            reap();
        }
    }
    pid_t pid() const { return pid_; }
    qint64 startTime() const { return startTime_; }
    // Whether it has ended; an ended child stays unreaped (a zombie) until reap().
    bool hasEnded(int options = WNOHANG) const
    {
        siginfo_t info{};
        return waitid(P_PID, pid_, &info, WEXITED | WNOWAIT | options) == 0 && info.si_pid == pid_;
    }
    int reap()
    {
        int status = 0;
        waitpid(pid_, &status, 0);
        reaped_ = true;
        return status;
    }

private:
    pid_t pid_ = 0;
    qint64 startTime_ = 0;
    bool reaped_ = false;
};

} // namespace

TEST(ProcessControlTest, TheKernelsOwnProcessesAndInitAreRefused)
{
    LinuxProcessControl control;
    for (qint64 pid : {qint64(-1), qint64(0), qint64(1), qint64(-100), qint64(1) << 40})
        EXPECT_EQ(control.forceQuit(pid, 0), Outcome::InvalidIdentifier) << pid;
}

TEST(ProcessControlTest, AProcessWithAnotherStartIsNeverSignalled)
{
    SleepingChild child;
    ASSERT_GT(child.startTime(), 0);
    LinuxProcessControl control;
    for (qint64 start : {child.startTime() + 1, child.startTime() - 1, qint64(-1)})
        EXPECT_EQ(control.forceQuit(child.pid(), start), Outcome::NotTheSameProcess) << start;
    EXPECT_FALSE(child.hasEnded());
}

TEST(ProcessControlTest, EveryForceQuitClosesTheDescriptorThatHeldTheProcess)
{
    test::TestPlatform tp;
    auto* commands = test::install<test::RecordingCommandRunner>(tp->commandRunner);
    const auto openDescriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    LinuxProcessControl control;
    SleepingChild child;
    ASSERT_GT(child.pid(), 0);
    const auto before = openDescriptors();
    EXPECT_EQ(control.forceQuit(child.pid(), child.startTime() + 1), Outcome::NotTheSameProcess);
    EXPECT_EQ(control.forceQuit(child.pid(), child.startTime()), Outcome::Killed);
    // Ended but not yet reaped: the signal would reach nothing, and the answer says so.
    ASSERT_TRUE(child.hasEnded(0));
    EXPECT_EQ(control.forceQuit(child.pid(), child.startTime()), Outcome::NoSuchProcess);
    EXPECT_EQ(openDescriptors(), before);
    const int status = child.reap();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // Gone altogether (or the identifier already names someone else).
    EXPECT_NE(control.forceQuit(child.pid(), child.startTime()), Outcome::Killed);
    EXPECT_TRUE(commands->calls().empty()) << "the signal is sent directly: no program, no shell";
}
