#pragma once

#include "ApplicationCatalog.h"
#include "ProcessTable.h"
#include "RunningApplication.h"

#include <QHash>

#include <cstdint>

namespace platform {

// The running applications, kept between looks: a look walks the /proc folder once, and a
// process is matched to its bundle or desktop entry only when it first appears (all again when
// the desktop entries changed); the list is made again only when an application's process came
// or went, so processes of other programs cost nothing but the walk. Not thread-safe: one owner,
// or a lock.
class RunningApplicationLook {
public:
    RunningApplicationLook(std::shared_ptr<ProcFolder> folder, unsigned uid, ApplicationCatalog catalog,
                           ThisApplication self, BundleFactsLookup bundleFacts);

    void refresh();
    const QList<RunningApplication>& applications() const { return applications_; }
    // Counts the refreshes that changed the list.
    std::uint64_t generation() const { return generation_; }

private:
    // An application's process, with what the list needs of its record.
    struct Resolved {
        ProcessRecord process; // without its arguments
        RunningApplication application;
    };
    // Gives whether the process is an application's.
    bool resolve(const ProcessRecord& process);

    unsigned uid_;
    ProcessTable table_;
    ApplicationCatalog catalog_;
    ThisApplication self_;
    BundleFactsLookup bundleFacts_;
    QHash<qint64, Resolved> resolved_;
    QList<RunningApplication> applications_;
    std::uint64_t generation_ = 0;
    bool looked_ = false;
};

} // namespace platform
