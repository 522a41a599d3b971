// The workspace's 2-second look at the running applications over 500 and 2 000 sleeping
// processes that a desktop entry names (copies of `sleep` under a name of their own, in a
// temporary XDG_DATA_HOME), and `top -b -n 2` over the same machine as the peer. Targets: under
// 5 ms of CPU per look at 2 000 application processes, under 1 ms of it on the main thread.
// The sleepers are this program's children and are killed by pid at the end.
#include "ThisMachinesWorkspace.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <deque>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Queues both kinds of work, so the benchmark says which thread's share it times.
class QueueDispatcher : public platform::Dispatcher {
public:
    void asyncMain(Task task) override { main.push_back(std::move(task)); }
    void asyncGlobal(Task task) override { global.push_back(std::move(task)); }
    void syncMain(Task task) override { task(); }
    void afterMain(Interval, Task) override {}
    std::unique_ptr<platform::TimerHandle> scheduledTimer(Interval, bool, Task) override { return nullptr; }

    static void run(std::deque<Task>& queue)
    {
        while (!queue.empty()) {
            Task task = std::move(queue.front());
            queue.pop_front();
            task();
        }
    }

    std::deque<Task> main;
    std::deque<Task> global;
};

double threadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct Run {
    QTemporaryDir home;
    QString sleeper;
    std::vector<pid_t> sleepers;
    platform::Platform platform;
    QueueDispatcher* dispatcher = nullptr;
    std::map<int, double> lookMs;
    std::map<int, double> mainMs;
    std::map<int, double> topMs;
    std::map<int, int> rows;

    Run()
    {
        const QString data = home.path() + QStringLiteral("/data");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        QDir().mkpath(data + QStringLiteral("/applications"));
        QDir().mkpath(home.path() + QStringLiteral("/bin"));
        sleeper = home.path() + QStringLiteral("/bin/tavrin-bench-sleeper");
        QFile::copy(QStringLiteral("/usr/bin/sleep"), sleeper);
        QFile entry(data + QStringLiteral("/applications/tavrin-bench-sleeper.desktop"));
        entry.open(QIODevice::WriteOnly);
        entry.write("[Desktop Entry]\nType=Application\nName=Bench Sleeper\nExec=" + QFile::encodeName(sleeper)
                    + " 3600\n");
        auto queue = std::make_unique<QueueDispatcher>();
        dispatcher = queue.get();
        platform.dispatcher = std::move(queue);
        platform::Platform::install(&platform);
    }

    ~Run()
    {
        for (pid_t pid : sleepers)
            kill(pid, SIGKILL);
        for (pid_t pid : sleepers)
            waitpid(pid, nullptr, 0);
        platform::Platform::install(nullptr);
    }

    // Exactly `count` sleepers run.
    void keep(int count)
    {
        while (int(sleepers.size()) > count) {
            kill(sleepers.back(), SIGKILL);
            waitpid(sleepers.back(), nullptr, 0);
            sleepers.pop_back();
        }
        const QByteArray program = QFile::encodeName(sleeper);
        char seconds[] = "3600";
        char* argv[] = {const_cast<char*>(program.constData()), seconds, nullptr};
        while (int(sleepers.size()) < count) {
            pid_t pid = 0;
            if (posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, environ) != 0) {
                std::fprintf(stderr, "could not start sleeper %zu\n", sleepers.size() + 1);
                std::exit(1);
            }
            sleepers.push_back(pid);
        }
    }

    // A workspace that has had its first look.
    std::unique_ptr<platform::LinuxWorkspace> watching()
    {
        auto workspace = std::make_unique<platform::LinuxWorkspace>(bench::thisMachinesWorkspace());
        rows[int(sleepers.size())] = int(workspace->launchedApplications().size());
        workspace->poll();
        QueueDispatcher::run(dispatcher->global);
        QueueDispatcher::run(dispatcher->main);
        return workspace;
    }
};

Run* run = nullptr;

void BM_Look(benchmark::State& state)
{
    run->keep(int(state.range(0)));
    auto workspace = run->watching();
    const double start = threadCpuSeconds();
    for (auto _ : state) {
        workspace->poll();
        QueueDispatcher::run(run->dispatcher->global);
        QueueDispatcher::run(run->dispatcher->main);
    }
    run->lookMs[int(state.range(0))] = (threadCpuSeconds() - start) * 1e3 / double(state.iterations());
    state.counters["rows"] = run->rows[int(state.range(0))];
}

// Only what the main thread does: the tick, and what the look hands back.
void BM_LookMainThread(benchmark::State& state)
{
    run->keep(int(state.range(0)));
    auto workspace = run->watching();
    double mainSeconds = 0;
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        workspace->poll();
        mainSeconds += threadCpuSeconds() - start;
        QueueDispatcher::run(run->dispatcher->global);
        const double delivered = threadCpuSeconds();
        QueueDispatcher::run(run->dispatcher->main);
        mainSeconds += threadCpuSeconds() - delivered;
    }
    run->mainMs[int(state.range(0))] = mainSeconds * 1e3 / double(state.iterations());
}

void BM_FirstLook(benchmark::State& state)
{
    run->keep(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(run->watching());
}

// The peer: two refreshes of `top` in batch mode, its CPU time per refresh.
void BM_TopPeer(benchmark::State& state)
{
    run->keep(int(state.range(0)));
    char top[] = "top";
    char batch[] = "-b";
    char count[] = "-n";
    char two[] = "2";
    char delay[] = "-d";
    char tenth[] = "0.1";
    char* argv[] = {top, batch, count, two, delay, tenth, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    double cpu = 0;
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawnp(&pid, "top", &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("top did not start");
            break;
        }
        int status = 0;
        rusage usage {};
        wait4(pid, &status, 0, &usage);
        const double seconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        cpu += seconds;
        state.SetIterationTime(seconds / 2);
    }
    posix_spawn_file_actions_destroy(&actions);
    run->topMs[int(state.range(0))] = cpu * 1e3 / 2 / double(state.iterations());
}

} // namespace

BENCHMARK(BM_Look)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookMainThread)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLook)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TopPeer)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    {
        Run state;
        run = &state;
        benchmark::RunSpecifiedBenchmarks();
        for (const auto& [count, ms] : state.lookMs) {
            std::printf("%d sleepers (%d rows): look %.3f ms CPU (target < 5), main thread %.3f ms (target < 1)",
                        count, state.rows[count], ms, state.mainMs[count]);
            if (state.topMs.count(count))
                std::printf(", top %.3f ms per refresh, look/top %.3f", state.topMs[count], ms / state.topMs[count]);
            std::printf("\n");
        }
        run = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
