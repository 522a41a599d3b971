#include "Subprocess.h"

#include "platform/files/FileDescriptor.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// What exec takes: pointers into the strings, ended by a null pointer.
std::vector<char*> nullTerminated(const std::vector<QByteArray>& strings)
{
    std::vector<char*> pointers;
    for (const QByteArray& string : strings)
        pointers.push_back(const_cast<char*>(string.constData()));
    pointers.push_back(nullptr);
    return pointers;
}

bool openPipe(FileDescriptor& readEnd, FileDescriptor& writeEnd)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    readEnd.reset(ends[0]);
    writeEnd.reset(ends[1]);
    return true;
}

int exitStatusOf(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The file actions and attributes of one start, released however it ends.
struct SpawnSetup {
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    void direct(int stream, Subprocess::Stream place, int pipeEnd)
    {
        if (place == Subprocess::Stream::Discarded)
            posix_spawn_file_actions_addopen(&actions, stream, "/dev/null", O_WRONLY, 0);
        else if (place == Subprocess::Stream::Captured)
            posix_spawn_file_actions_adddup2(&actions, pipeEnd, stream);
        else if (place == Subprocess::Stream::WithOutput && stream == STDERR_FILENO)
            posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

// Only async-signal-safe calls in a child of fork: this process has other threads.
[[noreturn]] void reportAndExit(int reportFd)
{
    const int error = errno;
    (void)!write(reportFd, &error, sizeof error);
    _exit(127);
}

void restoreBrokenPipeSignal()
{
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &standard, nullptr);
}

} // namespace

Subprocess::Result Subprocess::run() const
{
    const std::vector<char*> argv = nullTerminated(arguments);
    const std::vector<char*> envp = nullTerminated(environment.value_or(std::vector<QByteArray>{}));
    FileDescriptor outRead, outWrite, errRead, errWrite;
    const bool outputCaptured = output == Stream::Captured && outputFile.isEmpty();
    if ((outputCaptured && !openPipe(outRead, outWrite)) || (error == Stream::Captured && !openPipe(errRead, errWrite)))
        return {};

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!outputFile.isEmpty())
        posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, outputFile.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
    else
        setup.direct(STDOUT_FILENO, output, outWrite.get());
    setup.direct(STDERR_FILENO, error, errWrite.get());
    if (!workingFolder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, workingFolder.constData());
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    // A group of its own, so that a time-out stops what a shell line started too.
    posix_spawnattr_setflags(&setup.attributes, short(POSIX_SPAWN_SETSIGDEF | (ownProcessGroup ? POSIX_SPAWN_SETPGROUP : 0)));
    posix_spawnattr_setpgroup(&setup.attributes, 0);

    pid_t pid = 0;
    const int failed = posix_spawn(&pid, executable.constData(), &setup.actions, &setup.attributes,
                                   argv.data(), environment ? envp.data() : environ);
    outWrite.reset();
    errWrite.reset();
    if (failed != 0)
        return {};

    Result result;
    result.started = true;
    // The process's own descriptor tells when it ends, also after it closed its streams.
    const FileDescriptor process(timeout ? int(syscall(SYS_pidfd_open, pid, 0)) : -1);
    const Clock::time_point deadline = Clock::now() + timeout.value_or(std::chrono::milliseconds(0));
    pollfd ready[3] = {{outRead.get(), POLLIN, 0}, {errRead.get(), POLLIN, 0}, {-1, POLLIN, 0}};
    QByteArray* sinks[2] = {&result.standardOutput, &result.standardError};
    char buffer[65536];
    for (;;) {
        const bool reading = ready[0].fd >= 0 || ready[1].fd >= 0;
        ready[2].fd = reading ? -1 : process.get();
        if (!reading && ready[2].fd < 0)
            break;
        int waitMs = -1;
        if (timeout) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                result.timedOut = true;
                break;
            }
            waitMs = int(std::min<long long>(left, INT_MAX));
        }
        const int polled = poll(ready, 3, waitMs);
        if (polled < 0 && errno != EINTR)
            break;
        if (polled <= 0)
            continue;
        if (ready[2].revents)
            break;
        for (int i = 0; i < 2; ++i) {
            if (ready[i].fd < 0 || !ready[i].revents)
                continue;
            const ssize_t n = read(ready[i].fd, buffer, sizeof buffer);
            if (n > 0)
                sinks[i]->append(buffer, n);
            else if (n == 0 || errno != EINTR)
                ready[i].fd = -1;
        }
    }
    outRead.reset();
    errRead.reset();
    if (result.timedOut)
        kill(ownProcessGroup ? -pid : pid, SIGKILL);
    result.exitStatus = exitStatusOf(pid);
    return result;
}

bool Subprocess::detach() const
{
    const std::vector<char*> argv = nullTerminated(arguments);
    const std::vector<char*> envp = nullTerminated(environment.value_or(std::vector<QByteArray>{}));
    char* const* env = environment ? envp.data() : environ;
    FileDescriptor reportRead, reportWrite;
    if (!openPipe(reportRead, reportWrite))
        return false;
    // Started from a child that ends at once, so the program is nobody's here to reap.
    const pid_t middle = fork();
    if (middle == 0) {
        setsid();
        const pid_t program = fork();
        if (program == 0) {
            restoreBrokenPipeSignal();
            if (!workingFolder.isEmpty() && chdir(workingFolder.constData()) != 0)
                reportAndExit(reportWrite.get());
            execve(executable.constData(), argv.data(), env);
            reportAndExit(reportWrite.get());
        }
        if (program < 0)
            reportAndExit(reportWrite.get());
        _exit(0);
    }
    reportWrite.reset();
    if (middle < 0)
        return false;
    exitStatusOf(middle);
    // The report's end closes at the exec; an error number comes before it otherwise.
    int reported = 0;
    ssize_t n;
    while ((n = read(reportRead.get(), &reported, sizeof reported)) < 0 && errno == EINTR) {
    }
    return n == 0;
}

std::vector<QByteArray> Subprocess::argumentVector(const QString& name, const QStringList& arguments)
{
    std::vector<QByteArray> vector{QFile::encodeName(name)};
    for (const QString& argument : arguments)
        vector.push_back(argument.toUtf8());
    return vector;
}

std::vector<QByteArray> Subprocess::currentEnvironmentWith(const std::vector<QByteArray>& variables)
{
    std::vector<QByteArray> result;
    for (char** entry = environ; entry && *entry; ++entry) {
        const QByteArray variable(*entry);
        const auto replaced = [&](const QByteArray& set) { return variable.startsWith(set.left(set.indexOf('=') + 1)); };
        if (std::none_of(variables.begin(), variables.end(), replaced))
            result.push_back(variable);
    }
    result.insert(result.end(), variables.begin(), variables.end());
    return result;
}

} // namespace platform
