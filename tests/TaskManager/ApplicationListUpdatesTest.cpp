#include "TaskManager/ApplicationListUpdates.h"

#include <gtest/gtest.h>

namespace {

TaskManagerInfo row(int32_t pid, qint64 start = 1)
{
    TaskManagerInfo info;
    info.pID = pid;
    info.startTime = start;
    return info;
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
        {"a listed launch is not doubled", {{true, row(2)}, {true, row(9)}, {true, row(9)}}, {1, 2, 3, 9}},
        {"one that came and went stays out", {{true, row(9)}, {false, row(9)}}, {1, 2, 3}},
        {"an identifier's new process replaces the old", {{false, row(2)}, {true, row(2, 5)}}, {1, 3, 2}},
        {"a quit of another start of the identifier is not this row", {{false, row(2, 5)}}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        std::vector<TaskManagerInfo> rows{row(1), row(2), row(3)};
        ApplicationListUpdates::apply(rows, c.changes);
        std::vector<int32_t> pids;
        for (const TaskManagerInfo& info : rows)
            pids.push_back(info.pID);
        EXPECT_EQ(pids, c.expected) << c.what;
    }
}
