#include "platform/workspace/ProcessTable.h"

#include "FakeProcFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

using namespace Qt::StringLiterals;
using platform::ProcessRecord;
using platform::ProcessTable;

namespace {

QList<qint64> pidsOf(const ProcessTable& table)
{
    QList<qint64> pids;
    for (const ProcessRecord& process : table.processes())
        pids << process.pid;
    return pids;
}

// An editor (100) and notes (200), and two folders of /proc that are no processes.
std::shared_ptr<FakeProcFolder> twoProcesses()
{
    auto proc = std::make_shared<FakeProcFolder>();
    proc->add(100, 1, 1000, u"/usr/bin/editor"_s, {u"editor"_s, u"a b"_s});
    proc->add(200, 1, 2000, u"/usr/bin/notes"_s, {u"notes"_s});
    QDir().mkpath(proc->root() + u"/self"_s);
    QDir().mkpath(proc->root() + u"/sys"_s);
    return proc;
}

} // namespace

TEST(ProcessTableTest, AProcessIsReadWhenItAppearsAndOnceMoreAtTheNextLook)
{
    // What runs at the first look is read once; what appears later is read again at the next
    // look, in case it was caught between its fork and its exec; then never.
    const auto proc = twoProcesses();
    ProcessTable table(proc, getuid());
    EXPECT_TRUE(table.refresh());
    ASSERT_EQ(pidsOf(table), (QList<qint64>{100, 200}));
    const ProcessRecord editor = table.processes()[0];
    EXPECT_EQ(std::tuple(editor.executable, editor.arguments, editor.startTime, editor.uid),
              std::tuple(u"/usr/bin/editor"_s, QStringList{u"editor"_s, u"a b"_s}, 1000, getuid()));

    proc->add(300, 1, 3000, u"/bin/sh"_s, {u"sh"_s});
    EXPECT_TRUE(table.refresh());
    proc->setExecutable(300, u"/usr/bin/mail"_s);
    EXPECT_TRUE(table.refresh());
    EXPECT_EQ(table.processes()[2].executable, u"/usr/bin/mail"_s);
    for (int look = 0; look < 3; ++look)
        EXPECT_FALSE(table.refresh());
    EXPECT_EQ(proc->reads(100), 1);
    EXPECT_EQ(proc->reads(300), 2);
}

TEST(ProcessTableTest, WhileNoTaskStartsOrEndsALookReadsOnlyUnsettledProcessesAndWalksOnlyAfterAMiss)
{
    const auto proc = twoProcesses();
    proc->setLastPid(150);
    ProcessTable table(proc, getuid());
    table.refresh();
    proc->add(300, 1, 3000, u"/bin/sh"_s, {u"sh"_s});
    proc->setLastPid(300);
    EXPECT_TRUE(table.refresh());
    const int lists = proc->lists();
    proc->setExecutable(300, u"/usr/bin/mail"_s); // an exec starts no task
    EXPECT_TRUE(table.refresh());
    EXPECT_EQ(table.changed(), std::vector<qint64>{300});
    EXPECT_EQ(table.processes()[2].executable, u"/usr/bin/mail"_s);
    EXPECT_FALSE(table.refresh());
    EXPECT_EQ(proc->lists(), lists);
    EXPECT_EQ(proc->reads(300), 2);

    proc->add(400, 1, 4000, u"/bin/sh"_s);
    QFile::remove(proc->folder(400) + u"/stat"_s);
    table.refresh();
    table.refresh();
    EXPECT_EQ(proc->reads(400), 2);
    proc->remove(200);
    EXPECT_TRUE(table.refresh());
    EXPECT_EQ(table.changed(), std::vector<qint64>{200});
}

TEST(ProcessTableTest, WhatChangesBetweenTwoLooks)
{
    const struct {
        const char* name;
        std::function<void(FakeProcFolder&)> change;
        std::vector<qint64> changed;
        QList<qint64> pids;
        qint64 startOf100;
    } cases[] = {
        {"a process quits", [](FakeProcFolder& p) { p.remove(200); }, {200}, {100}, 1000},
        {"its identifier passes to a new process", [](FakeProcFolder& p) { p.add(100, 1, 5000, u"/usr/bin/editor"_s); },
         {100}, {100, 200}, 5000},
        {"its folder is made again", [](FakeProcFolder& p) { p.add(100, 1, 1000, u"/usr/bin/other"_s); }, {}, {100, 200}, 1000},
        {"a process starts", [](FakeProcFolder& p) { p.add(300, 200, 3000, u"/usr/bin/mail"_s); }, {300}, {100, 200, 300}, 1000},
        {"a folder that is no process", [](FakeProcFolder& p) { QDir().mkpath(p.root() + u"/0042x"_s); }, {}, {100, 200}, 1000},
        {"the folder goes", [](FakeProcFolder& p) { QDir(p.root()).removeRecursively(); }, {100, 200}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto proc = twoProcesses();
        ProcessTable table(proc, getuid());
        table.refresh();
        c.change(*proc);
        EXPECT_EQ(table.refresh(), !c.changed.empty());
        EXPECT_EQ(table.changed(), c.changed);
        table.refresh();
        EXPECT_EQ(pidsOf(table), c.pids);
        EXPECT_EQ(table.processes().empty() ? 0 : table.processes()[0].startTime, c.startOf100);
        if (c.pids.contains(300)) {
            EXPECT_EQ(table.processes()[2].executable, u"/usr/bin/mail"_s);
        }
    }
    // A folder made again costs its start, not a full read; nothing when the kernel has given
    // its identifier since (the last one given going from 150 to 170; to 120 or 99, wrapping).
    const std::pair<std::optional<qint64>, int> starts[] = {{std::nullopt, 1}, {170, 0}, {120, 1}, {99, 0}};
    for (const auto& [lastPid, startReads] : starts) {
        const auto proc = twoProcesses();
        ProcessTable table(proc, getuid());
        proc->setLastPid(150);
        table.refresh();
        proc->add(100, 1, 1000, u"/usr/bin/editor"_s);
        proc->setLastPid(lastPid);
        table.refresh();
        table.refresh();
        EXPECT_EQ(std::pair(proc->reads(100), proc->startReads()), std::pair(1, startReads)) << lastPid.value_or(-1);
    }
}

TEST(ProcessTableTest, OtherUsersProcessesAreNotReadAgainUnreadableOnesAre)
{
    const auto proc = twoProcesses();
    ProcessTable someoneElses(proc, getuid() + 1);
    EXPECT_FALSE(someoneElses.refresh());
    EXPECT_TRUE(someoneElses.processes().empty());
    someoneElses.refresh();
    EXPECT_EQ(proc->reads(100), 1);

    const auto other = twoProcesses();
    QFile::remove(other->folder(200) + u"/stat"_s);
    ProcessTable table(other, getuid());
    table.refresh();
    EXPECT_EQ(pidsOf(table), (QList<qint64>{100}));
    table.refresh();
    EXPECT_EQ(other->reads(200), 2);
}
