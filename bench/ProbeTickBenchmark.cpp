// The CPU cost of one monitor tick: a CPU sample with its load figure, a memory sample with its
// percentage, and the processor's temperature, each as the monitor's text. Target: under 2 ms
// of CPU per tick. Runs on this machine's /proc; the temperature comes from its thermal zones,
// and once more from a captured laptop's zones, since many machines (virtual ones) have none.
#include "TaskManager/SMCReader/CpuTemperature.h"
#include "TaskManager/MonitorFigures.h"
#include "TaskManager/SMCReader/SMCReader.h"
#include "TaskManager/SSCpuMonitor.h"
#include "TaskManager/SSMemoryMonitor.h"

#include "platform/Platform.h"
#include "platform/host/LinuxHostStatistics.h"
#include "platform/kernel/LinuxKernelValues.h"
#include "platform/log/StandardErrorLog.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/smc/SimulatedSmcConnection.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void probeTick(benchmark::State& state, const QString& thermalRoot)
{
    QTemporaryDir data;
    platform::Platform areas;
    areas.log = std::make_unique<platform::StandardErrorLog>();
    areas.simulatedMac = std::make_unique<platform::SimulatedMac>(data.path(), data.path() + QStringLiteral("/root"));
    areas.hostStatistics = std::make_unique<platform::LinuxHostStatistics>();
    areas.kernelValues = std::make_unique<platform::LinuxKernelValues>(*areas.simulatedMac);
    areas.smc = std::make_unique<platform::SimulatedSmcConnection>(thermalRoot);
    platform::ScopedPlatform scope(areas);

    SSCpuMonitor cpu;
    const uint32_t cpuCount = cpu.getNumCPUs();
    SSMemoryMonitor memory;
    for (auto _ : state) {
        const auto load = cpuLoadFigure(cpu.monitorCPU(), cpuCount);
        QString cpuText = load ? percentText(100 * *load) : QString();
        QString memoryText = percentText(memoryPercent(memory.usagePercent()));
        const auto celsius = cpuTemperature(SMCReader::sharedReader());
        QString temperature = celsius ? temperatureText(*celsius) : QString();
        benchmark::DoNotOptimize(cpuText);
        benchmark::DoNotOptimize(memoryText);
        benchmark::DoNotOptimize(temperature);
    }
}

void BM_ProbeTick(benchmark::State& state)
{
    probeTick(state, QStringLiteral("/sys/class/thermal"));
}

void BM_ProbeTickWithThermalZones(benchmark::State& state)
{
    probeTick(state, QStringLiteral(TAVRIN_THERMAL_ZONES));
}

} // namespace

BENCHMARK(BM_ProbeTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProbeTickWithThermalZones)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
