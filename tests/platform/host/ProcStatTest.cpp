#include "platform/host/LinuxHostStatistics.h"
#include "platform/host/ProcStat.h"
#include "IsolatedEnvironment.h"
#include <gtest/gtest.h>

using namespace platform;

TEST(ProcStatTest, ProcessorLines)
{
    const auto cpus = parseProcStat("cpu  9 9 9 9 9 9 9 9 0 0\n"
                                    "cpu0 1 2 3 4 5 6 7 8 9 10\n"
                                    "cpu2 10 20 30 40\n"          // an older kernel, and a gap in the numbers
                                    "cpu3 4294967306 0 0 0\n"     // 64-bit, kept modulo 2^32
                                    "cpufreq 1 2 3 4\nintr 1 2 3\n");
    ASSERT_TRUE(cpus);
    ASSERT_EQ(cpus->size(), 3u);
    const auto& cpu0 = (*cpus)[0].cpu_ticks; // system takes irq and softirq, idle takes iowait
    EXPECT_EQ(std::vector<natural_t>(cpu0, cpu0 + CPU_STATE_MAX), (std::vector<natural_t>{1, 3 + 6 + 7, 4 + 5, 2}));
    EXPECT_EQ((*cpus)[1].cpu_ticks[CPU_STATE_IDLE], 40u);
    EXPECT_EQ((*cpus)[2].cpu_ticks[CPU_STATE_USER], 10u);
    for (const char* bad : {"", "cpu  1 2 3 4\n", "cpu0 1 2 3\n", "cpu0 1 x 3 4\n", "cpu0 1 2 3 4\ncpu1 1 2 -3 4\n"})
        EXPECT_FALSE(parseProcStat(bad)) << bad;
    LinuxHostStatistics host(test::fixturePath(QStringLiteral("proc/before")));
    std::vector<processor_cpu_load_info> read;
    ASSERT_EQ(host.hostProcessorInfo(host.machHostSelf(), read), KERN_SUCCESS);
    ASSERT_EQ(read.size(), 8u);
    EXPECT_EQ(read[7].cpu_ticks[CPU_STATE_SYSTEM], 4310u + 44);
    LinuxHostStatistics missing(test::makeTemporaryFolder());
    EXPECT_EQ(missing.hostProcessorInfo(missing.machHostSelf(), read), KERN_FAILURE);
    EXPECT_EQ(read.size(), 8u);
}
