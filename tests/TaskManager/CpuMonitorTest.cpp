#include "MonitorFigures.h"
#include "SSCpuMonitor.h"

#include "platform/host/LinuxHostStatistics.h"
#include "platform/host/ProcStat.h"

#include "IsolatedEnvironment.h"
#include "ProbeFakes.h"

#include <gtest/gtest.h>

using namespace platform;
using test::FakeHostStatistics;

namespace {

float field(const QVariantMap& entry, const char* key)
{
    return entry.value(QString::fromLatin1(key)).toFloat();
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
    host.cpus = {FakeHostStatistics::ticks(100, 50, 1000, 10), FakeHostStatistics::ticks(7, 7, 7, 7)};
    SSCpuMonitor monitor(host);
    ASSERT_EQ(monitor.getNumCPUs(), 2u);

    // Unchanged counters: a total of 0 counts as 1, so both fractions are 0.
    auto sample = monitor.monitorCPU();
    ASSERT_TRUE(sample);
    ASSERT_EQ(sample->size(), 2);
    for (const QVariantMap& entry : *sample) {
        EXPECT_EQ(field(entry, "user"), 0.0f);
        EXPECT_EQ(field(entry, "system"), 0.0f);
    }

    // Nice ticks count as user time; idle ticks only in the total.
    host.cpus = {FakeHostStatistics::ticks(110, 70, 1060, 20), FakeHostStatistics::ticks(7, 7, 107, 7)};
    sample = monitor.monitorCPU();
    ASSERT_TRUE(sample);
    EXPECT_FLOAT_EQ(field((*sample)[0], "user"), 0.2f);
    EXPECT_FLOAT_EQ(field((*sample)[0], "system"), 0.2f);
    EXPECT_EQ(field((*sample)[1], "user"), 0.0f);
    EXPECT_EQ(field((*sample)[1], "system"), 0.0f);
    EXPECT_NEAR(*cpuLoadFigure(sample, 2), 0.2, 1e-6);

    // A 32-bit counter that wrapped still gives its difference.
    host.cpus = {FakeHostStatistics::ticks(110, 0xFFFFFFF0u, 1060, 20), FakeHostStatistics::ticks(7, 7, 107, 7)};
    ASSERT_TRUE(monitor.monitorCPU());
    host.cpus = {FakeHostStatistics::ticks(110, 0x10, 1156, 20), FakeHostStatistics::ticks(7, 7, 107, 7)};
    sample = monitor.monitorCPU();
    ASSERT_TRUE(sample);
    EXPECT_FLOAT_EQ(field((*sample)[0], "system"), 0.25f);
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
    host.cpus = {FakeHostStatistics::ticks(10, 0, 10)};
    EXPECT_FALSE(monitor.monitorCPU());
    // A second processor appears: no sample, and no reading past the one-record snapshot.
    host.cpus = {FakeHostStatistics::ticks(10, 0, 10), FakeHostStatistics::ticks(50, 50, 0)};
    EXPECT_FALSE(monitor.monitorCPU());
    host.cpus = {FakeHostStatistics::ticks(20, 0, 20), FakeHostStatistics::ticks(50, 60, 30)};
    auto sample = monitor.monitorCPU();
    ASSERT_TRUE(sample);
    ASSERT_EQ(sample->size(), 2);
    EXPECT_FLOAT_EQ(field((*sample)[0], "user"), 0.5f);
    EXPECT_FLOAT_EQ(field((*sample)[1], "system"), 0.25f);

    // A failed request keeps the snapshot.
    host.processorResult = KERN_FAILURE;
    EXPECT_FALSE(monitor.monitorCPU());
    host.processorResult = KERN_SUCCESS;
    host.cpus = {FakeHostStatistics::ticks(40, 20, 20), FakeHostStatistics::ticks(50, 60, 30)};
    sample = monitor.monitorCPU();
    ASSERT_TRUE(sample);
    EXPECT_FLOAT_EQ(field((*sample)[0], "system"), 0.5f);

    // One goes away; then none is there at all.
    host.cpus.pop_back();
    EXPECT_FALSE(monitor.monitorCPU());
    host.cpus.clear();
    EXPECT_EQ(monitor.getNumCPUs(), 0u);
    EXPECT_FALSE(monitor.monitorCPU());
}

TEST(ProcStatTest, ProcessorLines)
{
    const auto cpus = parseProcStat("cpu  9 9 9 9 9 9 9 9 0 0\n"
                                    "cpu0 1 2 3 4 5 6 7 8 9 10\n"
                                    "cpu2 10 20 30 40\n"          // an older kernel, and a gap in the numbers
                                    "cpu3 4294967306 0 0 0\n"     // 64-bit, kept modulo 2^32
                                    "cpufreq 1 2 3 4\nintr 1 2 3\n");
    ASSERT_TRUE(cpus);
    ASSERT_EQ(cpus->size(), 3u);
    const auto& cpu0 = (*cpus)[0].cpu_ticks;
    EXPECT_EQ(cpu0[CPU_STATE_USER], 1u);
    EXPECT_EQ(cpu0[CPU_STATE_NICE], 2u);
    EXPECT_EQ(cpu0[CPU_STATE_SYSTEM], 3u + 6 + 7);
    EXPECT_EQ(cpu0[CPU_STATE_IDLE], 4u + 5);
    EXPECT_EQ((*cpus)[1].cpu_ticks[CPU_STATE_IDLE], 40u);
    EXPECT_EQ((*cpus)[2].cpu_ticks[CPU_STATE_USER], 10u);
    for (const char* bad : {"", "cpu  1 2 3 4\n", "cpu0 1 2 3\n", "cpu0 1 x 3 4\n", "cpu0 1 2 3 4\ncpu1 1 2 -3 4\n"})
        EXPECT_FALSE(parseProcStat(bad)) << bad;

    LinuxHostStatistics host(test::fixturePath(QStringLiteral("proc/before")));
    std::vector<processor_cpu_load_info> read;
    ASSERT_EQ(host.hostProcessorInfo(host.machHostSelf(), read), KERN_SUCCESS);
    ASSERT_EQ(read.size(), 8u);
    EXPECT_EQ(read[7].cpu_ticks[CPU_STATE_SYSTEM], 4310u + 44);
    EXPECT_EQ(host.hostProcessorInfo(host.machHostSelf() + 1, read), KERN_INVALID_ARGUMENT);
    LinuxHostStatistics missing(test::makeTemporaryFolder());
    EXPECT_EQ(missing.hostProcessorInfo(missing.machHostSelf(), read), KERN_FAILURE);
    EXPECT_EQ(read.size(), 8u);
}
