#include "platform/process/LinuxProcessControl.h"
#include "platform/workspace/ProcessTable.h"

#include "Fakes.h"
#include "TestPlatform.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <utility>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using platform::LinuxProcessControl;
using Outcome = platform::ProcessControl::Outcome;

TEST(ProcessControlTest, TheKernelsOwnProcessesAndInitAreRefused)
{
    LinuxProcessControl control;
    for (qint64 pid : {qint64(-1), qint64(0), qint64(1), qint64(-100), qint64(1) << 40})
        EXPECT_EQ(control.forceQuit(pid, 0), Outcome::InvalidIdentifier) << pid;
}

TEST(ProcessControlTest, OnlyTheSameProcessIsKilledAndEveryTryClosesItsDescriptor)
{
    test::TestPlatform tp;
    auto* commands = test::install<test::RecordingCommandRunner>(tp->commandRunner);
    const auto openDescriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    LinuxProcessControl control;
    pid_t pid = 0;
    char sleep[] = "sleep", seconds[] = "600";
    char* argv[] = {sleep, seconds, nullptr};
    ASSERT_EQ(posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ), 0);
    // Reaped at the end whatever fails; a pid of 0 is already reaped.
    const std::unique_ptr<pid_t, void (*)(pid_t*)> reaper(&pid, [](pid_t* child) {
        if (*child > 0)
            kill(*child, SIGKILL), waitpid(*child, nullptr, 0);
    });
    const auto stat = platform::ProcessTable::readStat(QStringLiteral("/proc"), pid);
    ASSERT_TRUE(stat);
    const qint64 start = stat->startTime;
    const auto before = openDescriptors();
    for (qint64 other : {start + 1, start - 1, qint64(-1)})
        EXPECT_EQ(control.forceQuit(pid, other), Outcome::NotTheSameProcess) << other;
    ASSERT_EQ(control.forceQuit(pid, start), Outcome::Killed);
    // Ended but not yet reaped: the signal would reach nothing, and the answer says so.
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, pid, &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(control.forceQuit(pid, start), Outcome::NoSuchProcess);
    EXPECT_EQ(openDescriptors(), before);
    int status = 0;
    waitpid(pid, &status, 0);
    const pid_t reaped = std::exchange(pid, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // Gone altogether (or the identifier already names someone else).
    EXPECT_NE(control.forceQuit(reaped, start), Outcome::Killed);
    EXPECT_TRUE(commands->calls().empty()) << "the signal is sent directly: no program, no shell";
}
