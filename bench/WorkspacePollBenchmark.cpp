// The cost of the workspace's look at the running applications on this machine's /proc and
// XDG applications folders: the first look reads every process and entry; the later looks,
// which run every 2 seconds while the Task Manager is open, should stay under 2 ms of CPU.
#include "workspace/ApplicationCatalog.h"
#include "workspace/ApplicationEntry.h"
#include "workspace/LinuxWorkspace.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

platform::LinuxWorkspace::Settings settings()
{
    platform::LinuxWorkspace::Settings s;
    s.uid = getuid();
    s.applicationFolders = platform::ApplicationCatalog::defaultFolders();
    s.locale = platform::ApplicationEntry::messagesLocale();
    s.self = {getpid(), 0, QStringLiteral("Tavrin"), QStringLiteral("/opt/Tavrin.app"), {}};
    return s;
}

void firstLook(benchmark::State& state)
{
    for (auto _ : state) {
        platform::LinuxWorkspace workspace(settings());
        benchmark::DoNotOptimize(workspace.launchedApplications());
    }
}

void laterLook(benchmark::State& state)
{
    platform::LinuxWorkspace workspace(settings());
    workspace.poll();
    for (auto _ : state)
        workspace.poll();
}

} // namespace

BENCHMARK(firstLook)->Unit(benchmark::kMillisecond);
BENCHMARK(laterLook)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
