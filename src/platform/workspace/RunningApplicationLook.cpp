#include "RunningApplicationLook.h"

namespace platform {

RunningApplicationLook::RunningApplicationLook(std::shared_ptr<ProcFolder> folder, unsigned uid,
                                               ApplicationCatalog catalog, ThisApplication self,
                                               BundleFactsLookup bundleFacts)
    : uid_(uid)
    , table_(std::move(folder), uid)
    , catalog_(std::move(catalog))
    , self_(std::move(self))
    , bundleFacts_(std::move(bundleFacts))
{
}

bool RunningApplicationLook::resolve(const ProcessRecord& process)
{
    std::optional<RunningApplication> application = applicationOfProcess(process, uid_, catalog_.matcher(), self_, bundleFacts_);
    if (!application)
        return false;
    ProcessRecord slim;
    slim.pid = process.pid;
    slim.parentPid = process.parentPid;
    slim.startTime = process.startTime;
    resolved_.insert(process.pid, {std::move(slim), std::move(*application)});
    return true;
}

void RunningApplicationLook::refresh()
{
    const bool entriesChanged = catalog_.refresh();
    const bool processesChanged = table_.refresh();
    if (looked_ && !entriesChanged && !processesChanged)
        return;
    bool listChanged = !looked_ || entriesChanged;
    if (listChanged) {
        resolved_.clear();
        for (const ProcessRecord& process : table_.processes())
            resolve(process);
    } else {
        for (const qint64 pid : table_.changed()) {
            const bool was = resolved_.remove(pid);
            const ProcessRecord* process = table_.process(pid);
            const bool is = process && resolve(*process);
            listChanged = listChanged || was || is;
        }
    }
    looked_ = true;
    if (!listChanged)
        return;
    std::vector<ProcessRecord> processes;
    processes.reserve(std::size_t(resolved_.size()));
    for (const Resolved& resolved : std::as_const(resolved_))
        processes.push_back(resolved.process);
    QList<RunningApplication> applications = runningApplications(
        processes,
        [this](const ProcessRecord& process) -> std::optional<RunningApplication> {
            return resolved_.value(process.pid).application;
        },
        self_);
    if (applications != applications_) {
        applications_ = std::move(applications);
        ++generation_;
    }
}

} // namespace platform
