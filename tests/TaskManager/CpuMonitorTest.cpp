#include "TaskManager/MonitorFigures.h"
#include "TaskManager/SSCpuMonitor.h"
#include "ProbeFakes.h"
#include <gtest/gtest.h>

using namespace platform;
using test::FakeHostStatistics;

namespace {

using Loads = std::vector<std::pair<int, int>>;
const auto ticks = [](natural_t user, natural_t system, natural_t idle, natural_t nice = 0) { return FakeHostStatistics::ticks(user, system, idle, nice); };

// Each processor's user and system share of a sample, in hundredths.
std::optional<Loads> percents(const std::optional<QList<QVariantMap>>& sample)
{
    if (!sample)
        return std::nullopt;
    Loads loads;
    for (const QVariantMap& entry : *sample)
        loads.emplace_back(qRound(entry.value(QStringLiteral("user")).toFloat() * 100),
                           qRound(entry.value(QStringLiteral("system")).toFloat() * 100));
    return loads;
}

// A sample whose processors show these user and system fractions.
QList<QVariantMap> sampleOf(std::initializer_list<std::pair<float, float>> loads)
{
    QList<QVariantMap> sample;
    for (const auto& [user, system] : loads)
        sample.append({{QStringLiteral("user"), user}, {QStringLiteral("system"), system}});
    return sample;
}

} // namespace

TEST(CpuMonitorTest, FractionsFollowTheTickDifferences)
{
    FakeHostStatistics host;
    host.cpus = {ticks(100, 50, 1000, 10), ticks(7, 7, 7, 7)};
    SSCpuMonitor monitor(host);
    ASSERT_EQ(monitor.getNumCPUs(), 2u);
    // Unchanged counters: a total of 0 counts as 1, so both fractions are 0.
    EXPECT_EQ(percents(monitor.monitorCPU()), (Loads{{0, 0}, {0, 0}}));
    // Nice ticks count as user time; idle ticks only in the total.
    host.cpus = {ticks(110, 70, 1060, 20), ticks(7, 7, 107, 7)};
    const auto sample = monitor.monitorCPU();
    EXPECT_EQ(percents(sample), (Loads{{20, 20}, {0, 0}}));
    EXPECT_NEAR(*cpuLoadFigure(sample, 2), 0.2, 1e-6);
    // A 32-bit counter that wrapped still gives its difference.
    host.cpus = {ticks(110, 0xFFFFFFF0u, 1060, 20), ticks(7, 7, 107, 7)};
    ASSERT_TRUE(monitor.monitorCPU());
    host.cpus = {ticks(110, 0x10, 1156, 20), ticks(7, 7, 107, 7)};
    EXPECT_EQ(percents(monitor.monitorCPU()), (Loads{{0, 25}, {0, 0}}));
}

TEST(CpuMonitorTest, LoadFigureClampsAndNeedsTheRightCount)
{
    EXPECT_NEAR(*cpuLoadFigure(sampleOf({{0.2f, 0}, {0.3f, 0.1f}, {0.6f, 0}, {0.4f, 0.4f}}), 4), 0.5, 1e-6);
    // Rounding can push the sum past 1 or below 0.
    EXPECT_EQ(*cpuLoadFigure(sampleOf({{0.7f, 0.5f}}), 1), 1.0);
    EXPECT_EQ(*cpuLoadFigure(sampleOf({{-0.1f, 0}}), 1), 0.0);
    // Another entry count, no sample, or no processors: no figure, nothing changes.
    EXPECT_FALSE(cpuLoadFigure(sampleOf({{0.5f, 0}}), 2));
    EXPECT_FALSE(cpuLoadFigure(std::nullopt, 2));
    EXPECT_FALSE(cpuLoadFigure(QList<QVariantMap>(), 0));
}

TEST(CpuMonitorTest, SnapshotFaults)
{
    FakeHostStatistics host;
    host.processorResult = KERN_FAILURE;
    SSCpuMonitor monitor(host);
    EXPECT_EQ(monitor.getNumCPUs(), 0u);
    EXPECT_FALSE(monitor.monitorCPU());
    // Without a snapshot the first answer only becomes one.
    host.processorResult = KERN_SUCCESS;
    host.cpus = {ticks(10, 0, 10)};
    EXPECT_FALSE(monitor.monitorCPU());
    // A second processor appears: no sample, and no reading past the one-record snapshot.
    host.cpus = {ticks(10, 0, 10), ticks(50, 50, 0)};
    EXPECT_FALSE(monitor.monitorCPU());
    host.cpus = {ticks(20, 0, 20), ticks(50, 60, 30)};
    EXPECT_EQ(percents(monitor.monitorCPU()), (Loads{{50, 0}, {0, 25}}));
    // A failed request keeps the snapshot.
    host.processorResult = KERN_FAILURE;
    EXPECT_FALSE(monitor.monitorCPU());
    host.processorResult = KERN_SUCCESS;
    host.cpus = {ticks(40, 20, 20), ticks(50, 60, 30)};
    EXPECT_EQ(percents(monitor.monitorCPU()), (Loads{{50, 50}, {0, 0}}));
    // One goes away; then none is there at all.
    host.cpus.pop_back();
    EXPECT_FALSE(monitor.monitorCPU());
    host.cpus.clear();
    EXPECT_EQ(monitor.getNumCPUs(), 0u);
    EXPECT_FALSE(monitor.monitorCPU());
}
