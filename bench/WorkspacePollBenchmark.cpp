// The cost of the workspace's look at the running applications on this machine's /proc and
// XDG applications folders: the first look reads every process and entry; the later looks,
// which run every 2 seconds while the Task Manager is open, should stay under 2 ms of CPU.
#include "ThisMachinesWorkspace.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

// Runs the look and its result at once, on this thread.
class InlineDispatcher : public platform::Dispatcher {
public:
    void asyncMain(Task task) override { task(); }
    void asyncGlobal(Task task) override { task(); }
    void syncMain(Task task) override { task(); }
    void afterMain(Interval, Task) override {}
    std::unique_ptr<platform::TimerHandle> scheduledTimer(Interval, bool, Task) override { return nullptr; }
};

void firstLook(benchmark::State& state)
{
    for (auto _ : state) {
        platform::LinuxWorkspace workspace(bench::thisMachinesWorkspace());
        benchmark::DoNotOptimize(workspace.launchedApplications());
    }
}

void laterLook(benchmark::State& state)
{
    platform::LinuxWorkspace workspace(bench::thisMachinesWorkspace());
    workspace.poll();
    for (auto _ : state)
        workspace.poll();
}

} // namespace

BENCHMARK(firstLook)->Unit(benchmark::kMillisecond);
BENCHMARK(laterLook)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    platform::Platform platform;
    platform.dispatcher = std::make_unique<InlineDispatcher>();
    platform::ScopedPlatform installed(platform);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
