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

void RunningApplicationLook::refresh()
{
    const bool entriesChanged = catalog_.refresh();
    const bool processesChanged = table_.refresh();
    if (looked_ && !entriesChanged && !processesChanged)
        return;
    looked_ = true;
    if (entriesChanged)
        matched_.clear();
    // Only the processes that still run are remembered.
    QHash<Identity, std::optional<RunningApplication>> matched;
    const auto applicationOf = [&](const ProcessRecord& process) {
        const Identity identity{process.pid, process.startTime, process.executable, process.arguments};
        auto known = matched_.constFind(identity);
        const std::optional<RunningApplication> application = known != matched_.cend()
            ? *known
            : applicationOfProcess(process, uid_, catalog_.matcher(), self_, bundleFacts_);
        matched.insert(identity, application);
        return application;
    };
    QList<RunningApplication> applications = runningApplications(table_.processes(), applicationOf, self_);
    matched_ = std::move(matched);
    if (applications != applications_) {
        applications_ = std::move(applications);
        ++generation_;
    }
}

} // namespace platform
