#pragma once

#include "TaskManagerInfo.h"

#include <QVariantMap>

#include <optional>
#include <vector>

// The work that keeps the Task Manager's rows current: the whole list, and the launches and
// quits that the workspace reported. At most one job runs and one waits; whatever is asked for
// meanwhile joins the waiting one, so a burst of launches costs a few jobs, not one each.
class ApplicationListUpdates {
public:
    struct Change {
        bool launched = false; // else it quit
        QVariantMap application;
    };
    struct Job {
        bool wholeList = false;
        std::vector<Change> changes; // in the order they were reported
    };

    // The whole list is wanted: it will hold every change reported so far.
    void requestWholeList();
    void add(Change change);
    // The job to start now; nothing while one runs or when nothing waits.
    std::optional<Job> next();
    // The running job's result has been shown.
    void finished() { running_ = false; }

    // A row for each change, in order: launched rows not yet listed join at the end, rows of
    // processes that quit leave (a process is known by its identifier and start).
    static void apply(std::vector<TaskManagerInfo>& rows, const std::vector<std::pair<bool, TaskManagerInfo>>& changes);

private:
    Job waiting_;
    bool hasWaiting_ = false;
    bool running_ = false;
};
