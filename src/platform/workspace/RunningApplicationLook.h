#pragma once

#include "ApplicationCatalog.h"
#include "ProcessTable.h"
#include "RunningApplication.h"

#include <QHash>

#include <cstdint>

namespace platform {

// The running applications, kept between looks: a look walks the /proc folder once, and a
// process is matched to its bundle or desktop entry only when it first appears (all again when
// the desktop entries changed). Not thread-safe: one owner, or a lock.
class RunningApplicationLook {
public:
    RunningApplicationLook(std::shared_ptr<ProcFolder> folder, unsigned uid, ApplicationCatalog catalog,
                           ThisApplication self, BundleFactsLookup bundleFacts);

    void refresh();
    const QList<RunningApplication>& applications() const { return applications_; }
    // Counts the refreshes that changed the list.
    std::uint64_t generation() const { return generation_; }

private:
    // A process as matched: one that runs another program since is matched again.
    struct Identity {
        qint64 pid = 0;
        qint64 startTime = 0;
        QString executable;
        QStringList arguments;
        bool operator==(const Identity&) const = default;
        friend size_t qHash(const Identity& identity, size_t seed = 0)
        {
            return qHashMulti(seed, identity.pid, identity.startTime, identity.executable, identity.arguments);
        }
    };

    unsigned uid_;
    ProcessTable table_;
    ApplicationCatalog catalog_;
    ThisApplication self_;
    BundleFactsLookup bundleFacts_;
    QHash<Identity, std::optional<RunningApplication>> matched_;
    QList<RunningApplication> applications_;
    std::uint64_t generation_ = 0;
    bool looked_ = false;
};

} // namespace platform
