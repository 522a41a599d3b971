#include "ApplicationListUpdates.h"

#include <gtest/gtest.h>

namespace {

TaskManagerInfo row(int32_t pid, qint64 start = 1)
{
    TaskManagerInfo info;
    info.pID = pid;
    info.startTime = start;
    return info;
}

std::vector<int32_t> pidsOf(const std::vector<TaskManagerInfo>& rows)
{
    std::vector<int32_t> pids;
    for (const TaskManagerInfo& info : rows)
        pids.push_back(info.pID);
    return pids;
}

} // namespace

TEST(ApplicationListUpdatesTest, ChangesApplyInTheOrderReported)
{
    struct Case {
        const char* what;
        std::vector<std::pair<bool, TaskManagerInfo>> changes;
        std::vector<int32_t> expected;
    } cases[] = {
        {"launches join at the end", {{true, row(9)}, {true, row(7)}}, {1, 2, 3, 9, 7}},
        {"a quit leaves", {{false, row(2)}}, {1, 3}},
        {"a listed launch is not doubled", {{true, row(2)}, {true, row(9)}, {true, row(9)}}, {1, 2, 3, 9}},
        {"one that came and went stays out", {{true, row(9)}, {false, row(9)}}, {1, 2, 3}},
        {"one that went and came back stays where it was", {{false, row(2)}, {true, row(2)}}, {1, 2, 3}},
        {"an identifier's new process replaces the old", {{false, row(2)}, {true, row(2, 5)}}, {1, 3, 2}},
        {"a quit of another start of the identifier is not this row", {{false, row(2, 5)}}, {1, 2, 3}},
        {"a quit of an unlisted process changes nothing", {{false, row(8)}}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        std::vector<TaskManagerInfo> rows{row(1), row(2), row(3)};
        ApplicationListUpdates::apply(rows, c.changes);
        EXPECT_EQ(pidsOf(rows), c.expected) << c.what;
    }
}

TEST(ApplicationListUpdatesTest, OneJobRunsAndOneWaits)
{
    ApplicationListUpdates updates;
    EXPECT_FALSE(updates.next()) << "nothing asked";
    updates.add({true, {}});
    ASSERT_TRUE(updates.next());
    updates.add({true, {}});
    updates.add({false, {}});
    EXPECT_FALSE(updates.next()) << "one runs";
    updates.requestWholeList(); // the whole list holds the changes before it
    updates.add({true, {}});
    updates.finished();
    const std::optional<ApplicationListUpdates::Job> job = updates.next();
    ASSERT_TRUE(job);
    EXPECT_TRUE(job->wholeList);
    EXPECT_EQ(job->changes.size(), 1u);
    updates.finished();
    EXPECT_FALSE(updates.next());
}
