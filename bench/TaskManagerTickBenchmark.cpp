// The CPU cost of one refresh tick of the Task Manager tab on this machine: the CPU sample, the
// memory sample and the temperature with their labels and bars, and the workspace's look at the
// running applications that runs beside it every 2 seconds (the list diff, which rebuilds the
// rows when something started or quit). Target: under 2 ms of CPU per tick. Also the cost of a
// rebuild of the rows (after a launch or a quit). Every queue runs at once on this thread, so
// the CPU time measured is all the tick's.
#include "BenchSupport.h"

#include "TaskManager/TaskManagerViewController.h"

#include "platform/LinuxPlatform.h"
#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/workspace/LinuxWorkspace.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Runs every task at once; timers never fire (the benchmark ticks by hand).
class ImmediateDispatcher : public platform::Dispatcher {
public:
    void asyncMain(Task task) override { task(); }
    void asyncGlobal(Task task) override { task(); }
    void syncMain(Task task) override { task(); }
    void afterMain(Interval, Task) override {}
    std::unique_ptr<platform::TimerHandle> scheduledTimer(Interval, bool, Task) override
    {
        return std::make_unique<Handle>();
    }

private:
    struct Handle : platform::TimerHandle {
        void invalidate() override { valid = false; }
        bool isValid() const override { return valid; }
        bool valid = true;
    };
};

struct Tab {
    Tab()
        : platform(platform::makeLinuxPlatform(QStringLiteral(TAVRIN_BUNDLE)))
    {
        platform->dispatcher = std::make_unique<ImmediateDispatcher>();
        scope = std::make_unique<platform::ScopedPlatform>(*platform);
        controller.view();
        workspace = dynamic_cast<platform::LinuxWorkspace*>(platform->workspace.get());
    }

    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<platform::ScopedPlatform> scope;
    TaskManagerViewController controller;
    platform::LinuxWorkspace* workspace = nullptr;
};

void BM_TaskManagerTick(benchmark::State& state)
{
    Tab tab;
    for (auto _ : state) {
        tab.controller.changeCpuAndMemory();
        if (tab.workspace)
            tab.workspace->poll();
    }
    state.counters["rows"] = double(tab.controller.allApplications().size());
}

void BM_TaskManagerListRebuild(benchmark::State& state)
{
    Tab tab;
    for (auto _ : state)
        tab.controller.getAllProcess();
    state.counters["rows"] = double(tab.controller.allApplications().size());
}

} // namespace

BENCHMARK(BM_TaskManagerTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TaskManagerListRebuild)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    // The simulated Mac and the settings of the run stay in a folder of their own.
    QTemporaryDir home;
    bench::isolateHome(home.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
