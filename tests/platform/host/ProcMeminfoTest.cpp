#include "platform/host/ProcMeminfo.h"
#include "IsolatedEnvironment.h"
#include <gtest/gtest.h>

using namespace platform;

TEST(ProcMeminfoTest, MeminfoAndVmstat)
{
    auto stats = parseProcMeminfo(test::readFile(test::fixturePath(QStringLiteral("proc/before/meminfo"))),
                                  test::readFile(test::fixturePath(QStringLiteral("proc/before/vmstat"))), 4096);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->free_count, 22596304u / 4);
    EXPECT_EQ(stats->inactive_count, 1159640u / 4);
    EXPECT_EQ(stats->wire_count, (16816u + 3052 + 3616 + 36264) / 4);
    EXPECT_EQ(stats->faults, 42436325u);
    const QByteArray minimal = "MemFree: 8 kB\nActive: 16 kB\nInactive: 4 kB\n";
    stats = parseProcMeminfo(minimal, {}, 4096);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->free_count, 2u);
    EXPECT_EQ(stats->faults, 0u);
    for (const char* bad : {"MemFree: 8 kB\nActive: 16 kB\n", "MemFree: x kB\nActive: 16 kB\nInactive: 4 kB\n"})
        EXPECT_FALSE(parseProcMeminfo(bad, {}, 4096)) << bad;
    EXPECT_FALSE(parseProcMeminfo(minimal, {}, 0));
    // Sizes saturate; event counts wrap like 32-bit counters.
    stats = parseProcMeminfo("MemFree: 99999999999999 kB\nActive: 18446744073709551615 kB\nInactive: 0 kB\n",
                             "pgfault 4294967306\n", 4096);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->free_count, UINT32_MAX);
    EXPECT_EQ(stats->active_count, UINT32_MAX);
    EXPECT_EQ(stats->faults, 10u);
}
