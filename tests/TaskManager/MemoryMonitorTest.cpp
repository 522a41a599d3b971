#include "TaskManager/MonitorFigures.h"
#include "TaskManager/SSMemoryMonitor.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ProbeFakes.h"
#include "TestPlatform.h"
#include <cerrno>
#include <gtest/gtest.h>

using namespace platform;
using test::FakeHostStatistics;
using test::FakeKernelValues;

constexpr uint64_t GiB = 1073741824;

TEST(MemoryMonitorTest, UsedMemoryLeavesOutInactiveAndFree)
{
    vm_statistics stats{};
    stats.free_count = 4 * GiB / 4096;
    stats.inactive_count = 2 * GiB / 4096;
    stats.faults = 30;
    SSMemoryInfo info = SSMemoryMonitor::memoryInfo(4096, 16 * GiB, stats);
    EXPECT_EQ(info.usedMomory(), 10 * GiB);
    EXPECT_EQ(info.virtualMemory(), 30u * 4096); // the fault count, in bytes
    EXPECT_EQ(percentText(memoryPercent(info)), QStringLiteral("62.5%"));
    // No total: 0 %, not a division by zero.
    EXPECT_EQ(percentText(memoryPercent(SSMemoryMonitor::memoryInfo(4096, 0, vm_statistics{}))), QStringLiteral("0.0%"));
    // More free and inactive memory than the total: nothing used, not an unsigned wrap.
    info = SSMemoryMonitor::memoryInfo(4096, 4 * 4096, stats);
    EXPECT_EQ(info.usedMomory(), 0u);
    EXPECT_EQ(memoryPercent(info), 0.0f);
}

TEST(MemoryMonitorTest, KernelValuesFillTheFigures)
{
    FakeKernelValues kernel;
    FakeHostStatistics host;
    host.statistics.free_count = 5;
    kernel.setInteger("hw.pagesize", int64_t(16384));
    kernel.setInteger("hw.physmem", int32_t(INT32_MAX));
    kernel.setInteger("hw.memsize", int64_t(8 * GiB));
    SSMemoryMonitor monitor(kernel, host);
    EXPECT_EQ(monitor.getMemoryInfo(), 0);
    EXPECT_EQ(monitor.pagesize, 16384u);
    EXPECT_EQ(monitor.totalMemory, 8 * GiB);
    EXPECT_EQ(monitor.usagePercent().freeMemory(), 5u * 16384);
    // A value the kernel lacks keeps its field and is reported; the others still count.
    kernel.values.remove("hw.memsize");
    kernel.setInteger("hw.pagesize", int64_t(4096));
    EXPECT_EQ(monitor.getMemoryInfo(), ENOENT);
    EXPECT_EQ(monitor.totalMemory, 8 * GiB);
    EXPECT_EQ(monitor.pagesize, 4096u);
    kernel.setInteger("hw.memsize", int64_t(GiB));
    kernel.values.remove("hw.physmem");
    EXPECT_EQ(monitor.getMemoryInfo(), ENOENT);
    EXPECT_EQ(monitor.totalMemory, GiB);
    // A value of a width that is no integer is not read.
    kernel.values.insert("hw.pagesize", QByteArray("\x01\x02\x03", 3));
    kernel.values.insert("hw.memsize", QByteArray(2, '\x01'));
    monitor.getMemoryInfo();
    EXPECT_EQ(monitor.pagesize, 4096u);
    EXPECT_EQ(monitor.totalMemory, 0x0101u);
}

TEST(MemoryMonitorTest, FailedStatisticsAreLoggedAndKeepTheLastFigures)
{
    test::TestPlatform platform;
    auto* kernel = test::install<FakeKernelValues>(platform->kernelValues);
    kernel->setInteger("hw.pagesize", int64_t(4096));
    kernel->setInteger("hw.memsize", int64_t(GiB));
    FakeHostStatistics& hostRef = *test::install<FakeHostStatistics>(platform->hostStatistics);
    hostRef.statistics.free_count = 1024;
    SSMemoryMonitor monitor;
    EXPECT_EQ(monitor.usagePercent().freeMemory(), 1024u * 4096);
    hostRef.statisticsResult = KERN_FAILURE;
    hostRef.statistics.free_count = 1;
    EXPECT_EQ(monitor.usagePercent().freeMemory(), 1024u * 4096);
    EXPECT_EQ(platform.log().messages(), QStringList{QStringLiteral("host_statistics failed")});
}

TEST(MemoryMonitorTest, MemoryTexts)
{
    // 1152 bytes are 1.125 KB, a tie that C's formatting rounds to even.
    const std::pair<uint64_t, const char*> cases[] = {{0, "0.00 KB"},       {1152, "1.12 KB"},
                                                      {1048575, "1024.00 KB"}, {1048576, "1.00 MB"},
                                                      {GiB - 1, "1024.00 MB"}, {GiB + GiB / 2, "1.50 GB"}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(SSMemoryInfo::covertMemory(bytes), QLatin1String(text));
    EXPECT_EQ(percentText(12.25), QStringLiteral("12.2%"));
}
