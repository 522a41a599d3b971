#include "workspace/ProcessTable.h"

#include "FakeProcFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using platform::ProcessRecord;
using platform::ProcessTable;

namespace {

QList<qint64> pidsOf(const std::vector<ProcessRecord>& processes)
{
    QList<qint64> pids;
    for (const ProcessRecord& process : processes)
        pids << process.pid;
    return pids;
}

class ProcessTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        proc.add(100, 1, 1000, QStringLiteral("/usr/bin/editor"), {QStringLiteral("editor"), QStringLiteral("a b")});
        proc.add(200, 1, 2000, QStringLiteral("/usr/bin/notes"), {QStringLiteral("notes")});
        QDir().mkpath(proc.root() + QStringLiteral("/self"));
        QDir().mkpath(proc.root() + QStringLiteral("/sys"));
    }

    FakeProcFolder proc;
    ProcessTable table{proc.root(), getuid()};
};

} // namespace

TEST_F(ProcessTableTest, AFirstLookReadsEveryProcessOfTheUser)
{
    table.refresh();
    EXPECT_EQ(table.fullReadsOfLastRefresh(), 2);
    const std::vector<ProcessRecord> processes = table.processes();
    ASSERT_EQ(pidsOf(processes), (QList<qint64>{100, 200}));
    EXPECT_EQ(processes[0].executable, QStringLiteral("/usr/bin/editor"));
    EXPECT_EQ(processes[0].arguments, (QStringList{QStringLiteral("editor"), QStringLiteral("a b")}));
    EXPECT_EQ(processes[0].startTime, 1000);
    EXPECT_EQ(processes[0].uid, getuid());
}

TEST_F(ProcessTableTest, LaterLooksReadOnlyWhatChanged)
{
    table.refresh();
    table.refresh();
    EXPECT_EQ(table.fullReadsOfLastRefresh(), 0);

    proc.add(300, 1, 3000, QStringLiteral("/usr/bin/mail"), {QStringLiteral("mail")});
    proc.remove(200);
    table.refresh();
    EXPECT_EQ(table.fullReadsOfLastRefresh(), 1);
    EXPECT_EQ(pidsOf(table.processes()), (QList<qint64>{100, 300}));

    // The process ran another program: its exe link tells.
    proc.add(100, 1, 1000, QStringLiteral("/usr/bin/other"), {QStringLiteral("other")});
    table.refresh();
    EXPECT_EQ(table.fullReadsOfLastRefresh(), 1);
    EXPECT_EQ(table.processes()[0].executable, QStringLiteral("/usr/bin/other"));
}

TEST_F(ProcessTableTest, AWatchedIdentifierTakenOverByTheSameProgramIsSeen)
{
    table.refresh();
    proc.add(100, 1, 5000, QStringLiteral("/usr/bin/editor"), {QStringLiteral("editor")});
    table.refresh({100});
    EXPECT_EQ(table.fullReadsOfLastRefresh(), 1);
    EXPECT_EQ(table.processes()[0].startTime, 5000);
}

TEST_F(ProcessTableTest, OtherUsersProcessesAreLeftOutAndNotReadAgain)
{
    ProcessTable someoneElses(proc.root(), getuid() + 1);
    someoneElses.refresh();
    EXPECT_TRUE(someoneElses.processes().empty());
    someoneElses.refresh();
    EXPECT_EQ(someoneElses.fullReadsOfLastRefresh(), 0);
}

TEST_F(ProcessTableTest, UnreadableProcessesAreLeftOutAndTriedAgain)
{
    QFile::remove(proc.root() + QStringLiteral("/200/stat"));
    table.refresh();
    EXPECT_EQ(pidsOf(table.processes()), (QList<qint64>{100}));
    table.refresh();
    EXPECT_EQ(table.fullReadsOfLastRefresh(), 1);

    ProcessTable missing(proc.root() + QStringLiteral("/nowhere"), getuid());
    missing.refresh();
    EXPECT_TRUE(missing.processes().empty());
}
