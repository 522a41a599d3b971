#include "platform/workspace/ProcessRecord.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::ProcessRecord;

namespace {

QByteArray fixture(const char* name)
{
    return test::readFile(test::fixturePath(u"workspace/proc/"_s + QString::fromLatin1(name)));
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
        {"stat-plain", 19873, 19866, 121222, 'R', u"cat"_s},
        {"stat-parentheses-in-name", 4321, 4300, 987654, 'S', u"Web) S (1) x"_s},
    };
    for (const auto& c : cases) {
        const auto record = ProcessRecord::fromStat(fixture(c.file));
        ASSERT_TRUE(record) << c.file;
        EXPECT_EQ(std::tuple(record->pid, record->parentPid, record->startTime, record->state, record->command, record->isZombie()),
                  std::tuple(c.pid, c.parentPid, c.startTime, c.state, c.command, false)) << c.file;
    }
    EXPECT_TRUE(ProcessRecord::fromStat(fixture("stat-zombie"))->isZombie());
}

TEST(ProcessRecordTest, BrokenStatTextGivesNothing)
{
    EXPECT_FALSE(ProcessRecord::fromStat(fixture("stat-cut-short")));
    for (const char* text : {"", "12 cat R 1 2 3",
                             "0 (swapper) S 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0",
                             "x1 (a) S 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0",
                             "12 (a) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 -5 0 0",  // a negative start
                             "12 (a) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5x 0 0",  // a non-numeric one
                             "12 (a) SS 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0"}) // the state is one letter
        EXPECT_FALSE(ProcessRecord::fromStat(text)) << text;
}

TEST(ProcessRecordTest, CommandLinesKeepEveryByteAndExecutablesTheirPath)
{
    EXPECT_EQ(ProcessRecord::splitCommandLine(fixture("cmdline-script")),
              (QStringList{u"/usr/bin/python3"_s, u"/usr/share/tools/notes.py"_s, u"--new-window"_s}));
    EXPECT_EQ(ProcessRecord::splitCommandLine(fixture("cmdline-hostile")),
              (QStringList{u"/opt/Grüße App/bin/grüße"_s, u"--title=a\nb"_s, u"$(rm -rf ~)"_s}));
    // Kernel threads and zombies have none; a rewritten one may lack the last NUL or hold
    // empty arguments.
    EXPECT_TRUE(ProcessRecord::splitCommandLine({}).isEmpty());
    EXPECT_EQ(ProcessRecord::splitCommandLine(QByteArray("a\0\0b", 4)), (QStringList{u"a"_s, QString(), u"b"_s}));
    // A replaced executable is still named by its path.
    EXPECT_EQ(ProcessRecord::executableFromLink("/usr/bin/editor (deleted)"), u"/usr/bin/editor"_s);
    EXPECT_EQ(ProcessRecord::executableFromLink("/usr/bin/editor"), u"/usr/bin/editor"_s);
    EXPECT_TRUE(ProcessRecord::executableFromLink({}).isEmpty());
}
