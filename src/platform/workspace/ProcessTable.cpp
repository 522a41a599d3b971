#include "ProcessTable.h"

#include "LinuxProcFolder.h"

namespace platform {

ProcessTable::ProcessTable(std::shared_ptr<ProcFolder> folder, unsigned uid)
    : folder_(std::move(folder)), uid_(uid)
{
}

bool ProcessTable::refresh()
{
    const std::optional<std::vector<ProcEntry>> entries = folder_->list();
    bool changed = false;
    std::map<qint64, Known> current;
    for (const ProcEntry& entry : entries ? *entries : std::vector<ProcEntry>()) {
        auto known = known_.find(entry.pid);
        const bool same = known != known_.end() && known->second.inode == entry.inode;
        if (same && known->second.settled) {
            current.insert(current.end(), known_.extract(known));
            continue;
        }
        const std::optional<ProcessRecord> record = folder_->read(entry.pid, uid_);
        if (!record)
            continue; // gone meanwhile, or tried again at the next look
        Known read{entry.inode, !looked_ || same, *record};
        // The kernel may give a process's folder a new inode: the start tells whether it is new.
        if (known != known_.end() && !same && record->startTime == known->second.record.startTime) {
            read.settled = known->second.settled;
            read.record = known->second.record;
        }
        changed = changed
            || (isOwn(read)
                && (known == known_.end() || read.record.startTime != known->second.record.startTime
                    || read.record.executable != known->second.record.executable
                    || read.record.arguments != known->second.record.arguments));
        current.insert(current.end(), {entry.pid, std::move(read)});
        if (known != known_.end())
            known_.erase(known);
    }
    for (const auto& [pid, gone] : known_)
        changed = changed || isOwn(gone);
    known_ = std::move(current);
    looked_ = true;
    return changed;
}

std::vector<ProcessRecord> ProcessTable::processes() const
{
    std::vector<ProcessRecord> list;
    for (const auto& [pid, known] : known_) {
        if (isOwn(known))
            list.push_back(known.record);
    }
    return list;
}

std::optional<ProcessRecord> ProcessTable::readStat(const QString& procRoot, qint64 pid)
{
    return LinuxProcFolder(procRoot).readStat(pid);
}

} // namespace platform
