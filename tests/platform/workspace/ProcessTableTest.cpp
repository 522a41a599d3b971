#include "platform/workspace/ProcessTable.h"

#include "FakeProcFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
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
    ProcessTableTest()
    {
        proc->add(100, 1, 1000, QStringLiteral("/usr/bin/editor"), {QStringLiteral("editor"), QStringLiteral("a b")});
        proc->add(200, 1, 2000, QStringLiteral("/usr/bin/notes"), {QStringLiteral("notes")});
        QDir().mkpath(proc->root() + QStringLiteral("/self"));
        QDir().mkpath(proc->root() + QStringLiteral("/sys"));
    }

    std::shared_ptr<FakeProcFolder> proc = std::make_shared<FakeProcFolder>();
    ProcessTable table{proc, getuid()};
};

} // namespace

TEST_F(ProcessTableTest, AProcessIsReadWhenItAppearsAndOnceMoreAtTheNextLook)
{
    // What runs at the first look is read once; what appears later is read again at the next
    // look, in case it was caught between its fork and its exec; then never.
    EXPECT_TRUE(table.refresh());
    const std::vector<ProcessRecord> processes = table.processes();
    ASSERT_EQ(pidsOf(processes), (QList<qint64>{100, 200}));
    EXPECT_EQ(processes[0].executable, QStringLiteral("/usr/bin/editor"));
    EXPECT_EQ(processes[0].arguments, (QStringList{QStringLiteral("editor"), QStringLiteral("a b")}));
    EXPECT_EQ(processes[0].startTime, 1000);
    EXPECT_EQ(processes[0].uid, getuid());

    proc->add(300, 1, 3000, QStringLiteral("/bin/sh"), {QStringLiteral("sh")});
    EXPECT_TRUE(table.refresh());
    proc->setExecutable(300, QStringLiteral("/usr/bin/mail"));
    EXPECT_TRUE(table.refresh());
    EXPECT_EQ(table.processes()[2].executable, QStringLiteral("/usr/bin/mail"));
    for (int look = 0; look < 3; ++look)
        EXPECT_FALSE(table.refresh());
    EXPECT_EQ(proc->reads(100), 1);
    EXPECT_EQ(proc->reads(300), 2);
}

TEST_F(ProcessTableTest, WhatChangesBetweenTwoLooks)
{
    const QString editor = QStringLiteral("/usr/bin/editor");
    const struct {
        const char* name;
        std::function<void(FakeProcFolder&)> change;
        bool changed;
        QList<qint64> pids;
        qint64 startOf100;
    } cases[] = {
        {"a process quits", [](FakeProcFolder& p) { p.remove(200); }, true, {100}, 1000},
        {"its identifier passes to a new process", [&](FakeProcFolder& p) { p.add(100, 1, 5000, editor, {editor}); }, true,
         {100, 200}, 5000},
        {"a process starts", [](FakeProcFolder& p) { p.add(300, 200, 3000, QStringLiteral("/usr/bin/mail"), {}); }, true,
         {100, 200, 300}, 1000},
        {"a folder that is no process", [](FakeProcFolder& p) { QDir().mkpath(p.root() + QStringLiteral("/0042x")); }, false,
         {100, 200}, 1000},
        {"the folder goes", [](FakeProcFolder& p) { QDir(p.root()).removeRecursively(); }, true, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto proc = std::make_shared<FakeProcFolder>();
        proc->add(100, 1, 1000, editor, {editor});
        proc->add(200, 1, 2000, QStringLiteral("/usr/bin/notes"), {QStringLiteral("notes")});
        ProcessTable table(proc, getuid());
        table.refresh();
        c.change(*proc);
        EXPECT_EQ(table.refresh(), c.changed);
        table.refresh();
        const std::vector<ProcessRecord> processes = table.processes();
        EXPECT_EQ(pidsOf(processes), c.pids);
        if (!processes.empty()) {
            EXPECT_EQ(processes[0].startTime, c.startOf100);
        }
        if (c.pids.contains(300)) {
            EXPECT_EQ(processes[2].executable, QStringLiteral("/usr/bin/mail"));
        }
    }
}

TEST_F(ProcessTableTest, OtherUsersProcessesAreLeftOutAndNotReadAgain)
{
    ProcessTable someoneElses(proc, getuid() + 1);
    EXPECT_FALSE(someoneElses.refresh());
    EXPECT_TRUE(someoneElses.processes().empty());
    someoneElses.refresh();
    EXPECT_EQ(proc->reads(100), 1);
}

TEST_F(ProcessTableTest, UnreadableProcessesAreLeftOutAndTriedAgain)
{
    QFile::remove(proc->root() + QStringLiteral("/200/stat"));
    table.refresh();
    EXPECT_EQ(pidsOf(table.processes()), (QList<qint64>{100}));
    table.refresh();
    EXPECT_EQ(proc->reads(200), 2);
}
