#include "ApplicationListUpdates.h"

#include <QHash>

#include <algorithm>

namespace {

using Identity = std::pair<int32_t, qint64>;

Identity identityOf(const TaskManagerInfo& row)
{
    return {row.pID, row.startTime};
}

} // namespace

void ApplicationListUpdates::requestWholeList()
{
    waiting_ = Job{true, {}};
    hasWaiting_ = true;
}

void ApplicationListUpdates::add(Change change)
{
    waiting_.changes.push_back(std::move(change));
    hasWaiting_ = true;
}

std::optional<ApplicationListUpdates::Job> ApplicationListUpdates::next()
{
    if (running_ || !hasWaiting_)
        return std::nullopt;
    running_ = true;
    hasWaiting_ = false;
    return std::exchange(waiting_, Job{});
}

void ApplicationListUpdates::apply(std::vector<TaskManagerInfo>& rows,
                                   const std::vector<std::pair<bool, TaskManagerInfo>>& changes)
{
    // The last word on each process counts: one that came and went within the batch stays out.
    QHash<Identity, bool> running;
    for (const auto& [launched, row] : changes)
        running.insert(identityOf(row), launched);
    const auto quit = [&](const TaskManagerInfo& row) { return !running.value(identityOf(row), true); };
    rows.erase(std::remove_if(rows.begin(), rows.end(), quit), rows.end());
    for (const TaskManagerInfo& row : rows)
        running.remove(identityOf(row));
    for (const auto& [launched, row] : changes) {
        const auto stillRunning = running.constFind(identityOf(row));
        if (launched && stillRunning != running.cend() && *stillRunning) {
            running.erase(stillRunning);
            rows.push_back(row);
        }
    }
}
