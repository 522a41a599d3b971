#include "platform/workspace/ProcessRecord.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using platform::ProcessRecord;

namespace {

QByteArray fixture(const QString& name)
{
    return test::readFile(test::fixturePath(QStringLiteral("workspace/proc/") + name));
}

} // namespace

TEST(ProcessRecordTest, ReadsTheFieldsOfACapturedStatLine)
{
    const auto record = ProcessRecord::fromStat(fixture(QStringLiteral("stat-plain")));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->pid, 19873);
    EXPECT_EQ(record->parentPid, 19866);
    EXPECT_EQ(record->startTime, 121222);
    EXPECT_EQ(record->state, 'R');
    EXPECT_EQ(record->command, QStringLiteral("cat"));
    EXPECT_FALSE(record->isZombie());
    EXPECT_TRUE(ProcessRecord::fromStat(fixture(QStringLiteral("stat-zombie")))->isZombie());
}

TEST(ProcessRecordTest, ANameWithBlanksAndParenthesesDoesNotShiftTheFields)
{
    // A program may call itself "Web) S (1) x": only the last ")" ends the name.
    const auto record = ProcessRecord::fromStat(fixture(QStringLiteral("stat-parentheses-in-name")));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->command, QStringLiteral("Web) S (1) x"));
    EXPECT_EQ(record->parentPid, 4300);
    EXPECT_EQ(record->startTime, 987654);
    EXPECT_EQ(record->state, 'S');
}

TEST(ProcessRecordTest, BrokenStatTextGivesNothing)
{
    EXPECT_FALSE(ProcessRecord::fromStat(fixture(QStringLiteral("stat-cut-short"))));
    EXPECT_FALSE(ProcessRecord::fromStat({}));
    EXPECT_FALSE(ProcessRecord::fromStat("12 cat R 1 2 3"));
    EXPECT_FALSE(ProcessRecord::fromStat("0 (swapper) S 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0"));
    EXPECT_FALSE(ProcessRecord::fromStat("x1 (a) S 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0"));
    // A negative or non-numeric start.
    EXPECT_FALSE(ProcessRecord::fromStat("12 (a) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 -5 0 0"));
    EXPECT_FALSE(ProcessRecord::fromStat("12 (a) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5x 0 0"));
    // The state must be one letter.
    EXPECT_FALSE(ProcessRecord::fromStat("12 (a) SS 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0"));
}

TEST(ProcessRecordTest, CommandLinesKeepEveryByteOfEachArgument)
{
    EXPECT_EQ(ProcessRecord::splitCommandLine(fixture(QStringLiteral("cmdline-script"))),
              (QStringList{QStringLiteral("/usr/bin/python3"), QStringLiteral("/usr/share/tools/notes.py"),
                           QStringLiteral("--new-window")}));
    EXPECT_EQ(ProcessRecord::splitCommandLine(fixture(QStringLiteral("cmdline-hostile"))),
              (QStringList{QStringLiteral("/opt/Grüße App/bin/grüße"), QStringLiteral("--title=a\nb"),
                           QStringLiteral("$(rm -rf ~)")}));
    // Kernel threads and zombies have none; a rewritten one may lack the last NUL or hold
    // empty arguments.
    EXPECT_TRUE(ProcessRecord::splitCommandLine({}).isEmpty());
    EXPECT_EQ(ProcessRecord::splitCommandLine(QByteArray("a\0\0b", 4)),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
}

TEST(ProcessRecordTest, AReplacedExecutableIsStillNamedByItsPath)
{
    EXPECT_EQ(ProcessRecord::executableFromLink("/usr/bin/editor (deleted)"), QStringLiteral("/usr/bin/editor"));
    EXPECT_EQ(ProcessRecord::executableFromLink("/usr/bin/editor"), QStringLiteral("/usr/bin/editor"));
    EXPECT_TRUE(ProcessRecord::executableFromLink({}).isEmpty());
}
