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

TEST(ProcessRecordTest, ReadsTheFieldsOfCapturedStatLines)
{
    // A program may call itself "Web) S (1) x": only the last ")" ends the name.
    const struct {
        const char* file;
        qint64 pid, parentPid, startTime;
        char state;
        QString command;
    } cases[] = {
        {"stat-plain", 19873, 19866, 121222, 'R', QStringLiteral("cat")},
        {"stat-parentheses-in-name", 4321, 4300, 987654, 'S', QStringLiteral("Web) S (1) x")},
    };
    for (const auto& c : cases) {
        const auto record = ProcessRecord::fromStat(fixture(QString::fromLatin1(c.file)));
        ASSERT_TRUE(record) << c.file;
        EXPECT_EQ(std::tuple(record->pid, record->parentPid, record->startTime, record->state, record->command),
                  std::tuple(c.pid, c.parentPid, c.startTime, c.state, c.command)) << c.file;
        EXPECT_FALSE(record->isZombie());
    }
    EXPECT_TRUE(ProcessRecord::fromStat(fixture(QStringLiteral("stat-zombie")))->isZombie());
}

TEST(ProcessRecordTest, BrokenStatTextGivesNothing)
{
    EXPECT_FALSE(ProcessRecord::fromStat(fixture(QStringLiteral("stat-cut-short"))));
    for (const char* text : {"", "12 cat R 1 2 3",
                             "0 (swapper) S 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0",
                             "x1 (a) S 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0",
                             "12 (a) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 -5 0 0",  // a negative start
                             "12 (a) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5x 0 0",  // a non-numeric one
                             "12 (a) SS 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0"}) // the state is one letter
        EXPECT_FALSE(ProcessRecord::fromStat(text)) << text;
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
