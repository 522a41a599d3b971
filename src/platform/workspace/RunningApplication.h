#pragma once

#include "ProcessRecord.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>
#include <vector>

namespace platform {

class ApplicationMatcher;

// One running application as the workspace lists it.
struct RunningApplication {
    qint64 pid = 0;
    qint64 startTime = 0;
    QString name;
    QString path;             // the application's bundle or desktop entry
    QString bundleIdentifier; // when known

    // The dictionary of `launchedApplications` and of the launch and quit notifications.
    QVariantMap dictionary() const;
    bool operator==(const RunningApplication&) const = default;
};

// This program, which is always listed.
struct ThisApplication {
    qint64 pid = 0;
    qint64 startTime = 0;
    QString name;
    QString bundlePath;
    QString bundleIdentifier;
};

// Name and identifier of an application bundle, from its Info.plist.
struct BundleFacts {
    QString name;
    QString identifier;
};
using BundleFactsLookup = std::function<BundleFacts(const QString& bundlePath)>;

// The application that `process` runs: this program, or a process of user `uid` that runs
// from an application bundle (…/Name.app/Contents/MacOS/…) or that a desktop entry names.
// Nothing for any other process, and for an ended one that waits to be reaped.
std::optional<RunningApplication> applicationOfProcess(const ProcessRecord& process, unsigned uid,
                                                       const ApplicationMatcher& matcher,
                                                       const ThisApplication& self,
                                                       const BundleFactsLookup& bundleFacts);
using ApplicationOfProcess = std::function<std::optional<RunningApplication>(const ProcessRecord&)>;

// The applications among `processes`, as `applicationOf` finds them, with this program. A
// process whose parent belongs to the same application is part of it (a browser's helpers),
// not a second copy. Ordered by start.
QList<RunningApplication> runningApplications(const std::vector<ProcessRecord>& processes,
                                              const ApplicationOfProcess& applicationOf,
                                              const ThisApplication& self);

// The bundle (…/Name.app) that an executable runs from, or an empty text.
QString bundlePathOfExecutable(const QString& executable);

struct ApplicationChanges {
    QList<RunningApplication> launched;
    QList<RunningApplication> terminated;
};

// What launched and what quit between two lists. A process is known by its identifier, start
// and application: an identifier that a new process took over, or a process that replaced its
// program with another application's, counts as one quit and one launch.
ApplicationChanges compareRunningApplications(const QList<RunningApplication>& before,
                                              const QList<RunningApplication>& after);

} // namespace platform
