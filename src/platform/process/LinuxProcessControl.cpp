#include "LinuxProcessControl.h"

#include "platform/files/FileDescriptor.h"
#include "platform/workspace/ProcessTable.h"

#include <cerrno>
#include <csignal>
#include <limits>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

// Through the system calls themselves: the C library's wrappers are missing or unusable from
// C++ in some versions.
int openProcess(pid_t pid)
{
    return int(syscall(SYS_pidfd_open, pid, 0));
}

int signalProcess(int handle, int signal)
{
    return int(syscall(SYS_pidfd_send_signal, handle, signal, nullptr, 0));
}

ProcessControl::Outcome outcomeOfError(int error)
{
    switch (error) {
    case ESRCH:
        return ProcessControl::Outcome::NoSuchProcess;
    case EPERM:
        return ProcessControl::Outcome::NotPermitted;
    default:
        return ProcessControl::Outcome::Failed;
    }
}

} // namespace

LinuxProcessControl::LinuxProcessControl(QString procRoot)
    : procRoot_(std::move(procRoot))
{
}

ProcessControl::Outcome LinuxProcessControl::forceQuit(qint64 pid, qint64 startTime)
{
    if (pid < 2 || pid > std::numeric_limits<pid_t>::max())
        return Outcome::InvalidIdentifier;
    if (startTime < 0)
        return Outcome::NotTheSameProcess;

    // First hold the process that has the identifier now, then prove it is the listed one:
    // whatever happens to the identifier afterwards, the signal goes to the process held.
    const FileDescriptor handle(openProcess(pid_t(pid)));
    if (!handle.isValid())
        return outcomeOfError(errno);
    Outcome outcome = Outcome::Killed;
    const std::optional<ProcessRecord> record = ProcessTable::readStat(procRoot_, pid);
    if (!record)
        outcome = Outcome::NoSuchProcess;
    else if (record->startTime != startTime)
        outcome = Outcome::NotTheSameProcess;
    else if (record->isZombie())
        outcome = Outcome::NoSuchProcess;
    else if (signalProcess(handle.get(), SIGKILL) != 0)
        outcome = outcomeOfError(errno);
    return outcome;
}

} // namespace platform
