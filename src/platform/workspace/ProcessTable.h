#pragma once

#include "ProcFolder.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// The processes of one user, kept between looks so that a look costs one walk of the /proc
// folder: a process is read when it first appears (or its identifier passes to a new process),
// and once more at the next look when it appeared between two looks, since it may have been
// caught between its fork and its exec. While no task started or ended since the last walk, a
// look walks nothing: it reads again only the processes not yet settled.
class ProcessTable {
public:
    ProcessTable(std::shared_ptr<ProcFolder> folder, unsigned uid);

    // Gives whether a process of the user appeared, vanished or changed its program.
    bool refresh();
    // Those processes of the last refresh, by identifier.
    const std::vector<qint64>& changed() const { return changed_; }
    // The user's processes, by identifier.
    std::vector<ProcessRecord> processes() const;
    // The user's process of that identifier; null when there is none.
    const ProcessRecord* process(qint64 pid) const;

    // The start of process `pid` (from <procRoot>/<pid>/stat), or nothing when there is none.
    static std::optional<ProcessRecord> readStat(const QString& procRoot, qint64 pid);

private:
    struct Known {
        quint64 inode = 0;
        bool settled = false;
        ProcessRecord record;
    };
    bool isOwn(const Known& known) const { return known.record.uid == uid_; }
    // Whether the user's processes changed from `before` (none: the process is new) to `now`.
    bool isChange(const Known* before, const Known& now) const;

    std::shared_ptr<ProcFolder> folder_;
    unsigned uid_;
    std::map<qint64, Known> known_;
    std::vector<qint64> changed_;
    // The tasks as they were before the last listing: a process whose identifier the kernel has
    // not given since cannot be a new one.
    std::optional<TaskMark> markBefore_;
    bool missed_ = false; // a process could not be read: the next look walks again
    bool looked_ = false;
};

} // namespace platform
