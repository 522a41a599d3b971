#include "ProcessTable.h"

#include "LinuxProcFolder.h"

namespace platform {

ProcessTable::ProcessTable(std::shared_ptr<ProcFolder> folder, unsigned uid)
    : folder_(std::move(folder)), uid_(uid)
{
}

bool ProcessTable::refresh()
{
    changed_.clear();
    const std::optional<TaskMark> markBefore = folder_->taskMark();
    if (looked_ && !missed_ && markBefore && markBefore == markBefore_) {
        // Nothing started or ended since the last listing: only what has not settled is read again.
        for (auto& [pid, known] : known_) {
            if (known.settled)
                continue;
            const std::optional<ProcessRecord> record = folder_->read(pid, uid_);
            if (!record) {
                missed_ = true;
                continue;
            }
            Known read{known.inode, true, *record};
            if (isChange(&known, read))
                changed_.push_back(pid);
            known = std::move(read);
        }
        return !changed_.empty();
    }
    const std::optional<std::vector<ProcEntry>> entries = folder_->list();
    const std::optional<TaskMark> markAfter = folder_->taskMark();
    // The identifiers given since the last listing, when the kernel says (wrapping at most once).
    const auto givenSince = [&](qint64 pid) {
        if (!markBefore_ || !markAfter)
            return true;
        const qint64 before = markBefore_->lastPid, after = markAfter->lastPid;
        return after >= before ? pid > before && pid <= after : pid > before || pid <= after;
    };
    std::map<qint64, Known> current;
    bool missed = !entries; // a process not read now is tried again at the next look
    for (const ProcEntry& entry : entries ? *entries : std::vector<ProcEntry>()) {
        auto known = known_.find(entry.pid);
        const bool same = known != known_.end() && known->second.inode == entry.inode;
        if (same && known->second.settled) {
            current.insert(current.end(), known_.extract(known));
            continue;
        }
        // A settled process under a new inode is most often the same one, whose folder the kernel
        // made again: it is, unless its identifier was given since; then its start tells.
        if (known != known_.end() && known->second.settled) {
            const std::optional<qint64> start =
                givenSince(entry.pid) ? folder_->startTime(entry.pid) : known->second.record.startTime;
            if (!start) {
                missed = true; // gone meanwhile
                continue;
            }
            if (*start == known->second.record.startTime) {
                known->second.inode = entry.inode;
                current.insert(current.end(), known_.extract(known));
                continue;
            }
        }
        const std::optional<ProcessRecord> record = folder_->read(entry.pid, uid_);
        if (!record) {
            missed = true; // gone meanwhile, or tried again at the next look
            continue;
        }
        Known read{entry.inode, !looked_ || same, *record};
        // The kernel may give a process's folder a new inode: the start tells whether it is new.
        if (known != known_.end() && !same && record->startTime == known->second.record.startTime) {
            read.settled = known->second.settled;
            read.record = known->second.record;
        }
        if (isChange(known != known_.end() ? &known->second : nullptr, read))
            changed_.push_back(entry.pid);
        current.insert(current.end(), {entry.pid, std::move(read)});
        if (known != known_.end())
            known_.erase(known);
    }
    for (const auto& [pid, gone] : known_) {
        if (isOwn(gone))
            changed_.push_back(pid);
    }
    known_ = std::move(current);
    markBefore_ = markBefore;
    missed_ = missed;
    looked_ = true;
    return !changed_.empty();
}

bool ProcessTable::isChange(const Known* before, const Known& now) const
{
    const bool wasOwn = before && isOwn(*before);
    return (isOwn(now) || wasOwn)
        && (!before || isOwn(now) != wasOwn || now.record.startTime != before->record.startTime
            || now.record.executable != before->record.executable || now.record.arguments != before->record.arguments);
}

const ProcessRecord* ProcessTable::process(qint64 pid) const
{
    const auto known = known_.find(pid);
    return known != known_.end() && isOwn(known->second) ? &known->second.record : nullptr;
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
