#pragma once

#include "ProcessRecord.h"

#include <optional>
#include <vector>

namespace platform {

// One process folder of a listing, with the folder's inode number: the kernel gives each new
// process folder a new one, so an identifier with the inode it had before names the same process.
struct ProcEntry {
    qint64 pid = 0;
    quint64 inode = 0;
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
};

} // namespace platform
