#include "PosixCommandRunner.h"

#include "platform/log/SystemLog.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

std::vector<QByteArray> argumentVector(const QString& program, const QStringList& arguments)
{
    std::vector<QByteArray> argv{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        argv.push_back(argument.toUtf8());
    return argv;
}

// What posix_spawn takes: pointers into the strings, ended by a null pointer.
std::vector<char*> nullTerminated(const std::vector<QByteArray>& strings)
{
    std::vector<char*> pointers;
    for (const QByteArray& string : strings)
        pointers.push_back(const_cast<char*>(string.constData()));
    pointers.push_back(nullptr);
    return pointers;
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool isProgramFile(const QByteArray& path)
{
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && access(path.constData(), X_OK) == 0;
}

} // namespace

PosixCommandRunner::PosixCommandRunner(QString helpersPath, QString homePath)
    : helpers_(QFile::encodeName(helpersPath))
{
    if (!helpers_.startsWith('/')) {
        helpersProblem_ = QStringLiteral("The helpers' folder \"%1\" is not an absolute path").arg(helpersPath);
        helpers_.clear();
    } else if (helpers_.contains(':')) {
        helpersProblem_ = QStringLiteral("The helpers' folder \"%1\" holds \":\", so it cannot go on PATH").arg(helpersPath);
    }
    for (const QByteArray& folder : qgetenv("PATH").split(':')) {
        if (folder.startsWith('/'))
            searchFolders_.push_back(folder);
    }
    if (searchFolders_.empty())
        searchFolders_ = {"/usr/local/bin", "/usr/bin", "/bin"};

    QByteArray path = helpersProblem_.isEmpty() ? helpers_ : QByteArray();
    for (const QByteArray& folder : searchFolders_)
        path += (path.isEmpty() ? "" : ":") + folder;
    for (char** entry = environ; entry && *entry; ++entry) {
        QByteArray variable(*entry);
        if (!variable.startsWith("PATH=") && !variable.startsWith("HOME="))
            environment_.push_back(variable);
    }
    environment_.push_back("PATH=" + path);
    environment_.push_back("HOME=" + QFile::encodeName(homePath));
}

QByteArray PosixCommandRunner::standInFor(const QByteArray& path) const
{
    // A Mac tool named by its place on the Mac (/usr/sbin/diskutil) is our stand-in of that
    // name; a program without one (/bin/sh) is the system's own.
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = path.left(slash);
    if (helpers_.isEmpty() || !helpersProblem_.isEmpty()
        || !(folder == "/usr/sbin" || folder == "/usr/bin" || folder == "/sbin" || folder == "/bin"))
        return path;
    const QByteArray helper = helpers_ + path.mid(slash);
    return isProgramFile(helper) ? helper : path;
}

QByteArray PosixCommandRunner::resolve(const QString& program) const
{
    const QByteArray name = QFile::encodeName(program);
    if (name.contains('/')) {
        if (name.startsWith('/'))
            return standInFor(name);
        NSLog(QStringLiteral("Not running \"%1\": a relative path depends on the current folder").arg(program));
        return {};
    }
    if (helpers_.isEmpty()) {
        NSLog(helpersProblem_ + QStringLiteral("; not running \"%1\"").arg(program));
        return {};
    }
    if (const QByteArray helper = helpers_ + '/' + name; isProgramFile(helper))
        return helper;
    for (const QByteArray& folder : searchFolders_) {
        if (const QByteArray candidate = folder + '/' + name; isProgramFile(candidate))
            return candidate;
    }
    return {};
}

CommandRunner::Result PosixCommandRunner::runShellLine(const QByteArray& line)
{
    if (!helpersProblem_.isEmpty()) {
        NSLog(helpersProblem_ + QStringLiteral("; not running a shell line"));
        return {};
    }
    return spawn("/bin/sh", {"sh", "-c", line}, {});
}

CommandRunner::Result PosixCommandRunner::run(const QString& program, const QStringList& arguments,
                                              const QString& outputPath)
{
    QByteArray executable = resolve(program);
    if (executable.isEmpty())
        return {};
    return spawn(executable, argumentVector(program, arguments), outputPath);
}

CommandRunner::Result PosixCommandRunner::spawn(const QByteArray& executable,
                                                const std::vector<QByteArray>& arguments,
                                                const QString& outputPath)
{
    std::vector<char*> argv = nullTerminated(arguments);
    std::vector<char*> envp = nullTerminated(environment_);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeFds[2] = {-1, -1};
    const bool capture = outputPath.isEmpty();
    if (capture) {
        if (pipe2(pipeFds, O_CLOEXEC) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return {};
        }
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO,
                                         QFile::encodeName(outputPath).constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    pid_t pid = 0;
    int error = posix_spawn(&pid, executable.constData(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);

    Result result;
    if (capture) {
        close(pipeFds[1]);
        if (error == 0) {
            char buffer[65536];
            for (;;) {
                ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
                if (n > 0)
                    result.standardOutput.append(buffer, n);
                else if (n == 0 || errno != EINTR)
                    break;
            }
        }
        close(pipeFds[0]);
    }
    if (error != 0)
        return result;
    result.started = true;
    result.exitStatus = waitFor(pid);
    return result;
}

CommandRunner::Result PosixCommandRunner::runReader(const QString& program, const QStringList& arguments,
                                                    std::chrono::milliseconds timeout)
{
    // A shell started here would find the system's tools of the Mac's names.
    if (!helpersProblem_.isEmpty()) {
        NSLog(helpersProblem_ + QStringLiteral("; not running \"%1\"").arg(program));
        return {};
    }
    QByteArray executable = resolve(program);
    if (executable.isEmpty())
        return {};
    return spawnReader(executable, argumentVector(program, arguments), timeout);
}

CommandRunner::Result PosixCommandRunner::spawnReader(const QByteArray& executable,
                                                      const std::vector<QByteArray>& arguments,
                                                      std::chrono::milliseconds timeout)
{
    std::vector<char*> argv = nullTerminated(arguments);
    std::vector<char*> envp = nullTerminated(environment_);

    int pipeFds[2] = {-1, -1};
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Its own process group, so a time-out stops what a shell line started too.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, executable.constData(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipeFds[1]);

    Result result;
    if (error != 0) {
        close(pipeFds[0]);
        return result;
    }
    // The process's own descriptor tells when it ends, even after it closed the pipe.
    const int processFd = int(syscall(SYS_pidfd_open, pid, 0));
    bool reading = true;
    QElapsedTimer clock;
    clock.start();
    char buffer[65536];
    for (;;) {
        const qint64 left = timeout.count() - clock.elapsed();
        if (left <= 0) {
            result.timedOut = true;
            break;
        }
        pollfd ready[2] = {{reading ? pipeFds[0] : -1, POLLIN, 0}, {processFd, POLLIN, 0}};
        const int polled = poll(ready, 2, int(std::min<qint64>(left, 1000)));
        if (polled < 0 && errno != EINTR)
            break;
        if (polled <= 0)
            continue;
        if (reading && ready[0].revents) {
            const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
            if (n > 0)
                result.standardOutput.append(buffer, n);
            else if (n == 0 || errno != EINTR)
                reading = false;
        }
        if (!reading && (processFd < 0 || ready[1].revents))
            break;
    }
    if (processFd >= 0)
        close(processFd);
    close(pipeFds[0]);
    if (result.timedOut)
        kill(-pid, SIGKILL);
    result.started = true;
    result.exitStatus = waitFor(pid);
    return result;
}

} // namespace platform
