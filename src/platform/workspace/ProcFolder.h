#pragma once

#include "ProcessRecord.h"

#include <optional>
#include <vector>

namespace platform {

// One process folder of a listing, with the folder's inode number: the kernel gives each new
// process folder a new one, so an identifier with the inode it had before names the same process.
// (A new inode does not always mean a new process: the kernel lets unused folders go and makes
// them again, with new numbers, which it does by the thousand when memory is short.)
struct ProcEntry {
    qint64 pid = 0;
    quint64 inode = 0;
};

// What /proc/loadavg tells of the tasks (processes and threads): the identifier the kernel gave
// last (identifiers are given in turn, wrapping at the top) and how many exist. While both stay
// the same, no task started, so none ended either.
struct TaskMark {
    qint64 lastPid = 0;
    qint64 tasks = 0;
    bool operator==(const TaskMark&) const = default;
};

// The /proc folder as the look at running applications reads it.
class ProcFolder {
public:
    virtual ~ProcFolder() = default;

    // One walk of the folder. Nothing when it cannot be read.
    virtual std::optional<std::vector<ProcEntry>> list() = 0;
    // The process, read in full when it belongs to user `uid`; of another user's only the
    // identifier and owner. Nothing when the process is gone or unreadable.
    virtual std::optional<ProcessRecord> read(qint64 pid, unsigned uid) = 0;
    // Only when the process started (clock ticks since boot), from its stat.
    virtual std::optional<qint64> startTime(qint64 pid) = 0;
    // Nothing when it cannot be told.
    virtual std::optional<TaskMark> taskMark() = 0;
};

} // namespace platform
