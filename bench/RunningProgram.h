#pragma once
// The whole program as a person runs it (offscreen, in a home of its own), the application
// processes that it lists (copies of `sleep` that a desktop entry of that home names), and the
// CPU time of either, read from /proc: what the benchmarks of the Task Manager measure.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace bench {

// CPU time of a process's threads (nanoseconds on a processor, from each thread's schedstat),
// the main thread apart. Threads that ended before a reading are not in it.
struct ProgramCpu {
    double all = 0;
    double main = 0;
};

inline ProgramCpu programCpu(pid_t pid)
{
    ProgramCpu cpu;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + QLatin1Char('/') + tid + QStringLiteral("/schedstat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const double seconds = stat.readAll().split(' ').value(0).toDouble() / 1e9;
        cpu.all += seconds;
        if (tid.toInt() == pid)
            cpu.main = seconds;
    }
    return cpu;
}

inline double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline pid_t spawn(const std::vector<std::string>& arguments, char** environment = environ, bool quiet = true)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environment);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "could not start %s\n", argv[0]);
        std::exit(1);
    }
    return pid;
}

// The CPU seconds of a child that ended.
inline double reap(pid_t pid)
{
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// `top -b` refreshing every `delay` seconds, its output thrown away, until `stop`.
class TopPeer {
public:
    explicit TopPeer(const char* delay) : pid_(spawn({"top", "-b", "-d", delay})) {}
    // Its CPU seconds.
    double stop()
    {
        kill(pid_, SIGTERM);
        return reap(pid_);
    }

private:
    pid_t pid_;
};

// A home with a desktop entry that names the sleepers, the program started in it, and the
// sleepers; everything is stopped by pid when it goes.
class RunningProgram {
public:
    explicit RunningProgram(const QString& program)
    {
        const QString root = home_.path();
        for (const char* folder : {"config", "data/applications", "cache", "bin", "root"})
            QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
        QDir().mkdir(root + QStringLiteral("/run"));
        QFile::setPermissions(root + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        sleeper_ = QFile::encodeName(root + QStringLiteral("/bin/tavrin-bench-sleeper")).toStdString();
        QFile::copy(QStringLiteral("/usr/bin/sleep"), QString::fromStdString(sleeper_));
        QFile entry(root + QStringLiteral("/data/applications/tavrin-bench-sleeper.desktop"));
        entry.open(QIODevice::WriteOnly);
        entry.write("[Desktop Entry]\nType=Application\nName=Bench Sleeper\nExec=" + QByteArray(sleeper_.c_str())
                    + " 3600\n");
        entry.close();

        std::vector<std::string> variables;
        for (char** variable = environ; *variable; ++variable)
            variables.emplace_back(*variable);
        const std::string r = QFile::encodeName(root).toStdString();
        for (const std::string& set :
             {"HOME=" + r, "XDG_CONFIG_HOME=" + r + "/config", "XDG_DATA_HOME=" + r + "/data",
              "XDG_CACHE_HOME=" + r + "/cache", "XDG_RUNTIME_DIR=" + r + "/run", "TMPDIR=" + r,
              "TAVRIN_ROOT=" + r + "/root", std::string("QT_QPA_PLATFORM=offscreen")})
            variables.push_back(set);
        std::vector<char*> environment;
        for (std::string& variable : variables)
            environment.push_back(variable.data());
        environment.push_back(nullptr);
        pid_ = spawn({QFile::encodeName(program).toStdString()}, environment.data());
        std::fprintf(stderr, "program pid %d\n", int(pid_));
    }

    ~RunningProgram()
    {
        keep(0);
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }

    pid_t pid() const { return pid_; }
    ProgramCpu cpu() const { return programCpu(pid_); }

    // Waits until the program spends under `limit` seconds of CPU in `window` seconds (at most
    // `most` seconds); gives how long that took.
    double settle(double limit = 0.02, double most = 60, int window = 1)
    {
        const auto start = std::chrono::steady_clock::now();
        double before = cpu().all;
        while (secondsSince(start) < most) {
            std::this_thread::sleep_for(std::chrono::seconds(window));
            const double now = cpu().all;
            if (now - before < limit)
                break;
            before = now;
        }
        return secondsSince(start);
    }

    // Exactly `count` sleepers run, the new ones started `spacing` apart.
    void keep(int count, std::chrono::microseconds spacing = {})
    {
        while (int(sleepers_.size()) > count) {
            kill(sleepers_.back(), SIGKILL);
            waitpid(sleepers_.back(), nullptr, 0);
            sleepers_.pop_back();
        }
        while (int(sleepers_.size()) < count) {
            sleepers_.push_back(spawn({sleeper_, "3600"}));
            std::this_thread::sleep_for(spacing);
        }
    }

private:
    QTemporaryDir home_;
    std::string sleeper_;
    pid_t pid_ = 0;
    std::vector<pid_t> sleepers_;
};

} // namespace bench
