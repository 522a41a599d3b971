#include "RunningApplication.h"

#include "ApplicationMatcher.h"
#include "Workspace.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace platform {

namespace {

struct Identity {
    qint64 pid = 0;
    qint64 startTime = 0;
    QString path;

    bool operator==(const Identity&) const = default;
    friend size_t qHash(const Identity& identity, size_t seed = 0)
    {
        return qHashMulti(seed, identity.pid, identity.startTime, identity.path);
    }
};

Identity identityOf(const RunningApplication& application)
{
    return {application.pid, application.startTime, application.path};
}

} // namespace

QVariantMap RunningApplication::dictionary() const
{
    QVariantMap map{
        {NSApplicationName, name},
        {NSApplicationProcessIdentifier, qlonglong(pid)},
        {NSApplicationPath, path},
        {TavrinProcessStartTime, qlonglong(startTime)},
    };
    if (!bundleIdentifier.isEmpty())
        map.insert(NSApplicationBundleIdentifier, bundleIdentifier);
    return map;
}

QString bundlePathOfExecutable(const QString& executable)
{
    const QLatin1String marker("/Contents/MacOS/");
    const qsizetype at = executable.lastIndexOf(marker);
    // Exactly one program name after "MacOS/".
    if (at <= 0 || at + marker.size() == executable.size()
        || executable.indexOf(QLatin1Char('/'), at + marker.size()) >= 0)
        return {};
    const QString bundle = executable.left(at);
    if (!bundle.endsWith(QLatin1String(".app")) || bundle.endsWith(QLatin1String("/.app")))
        return {};
    return bundle;
}

std::optional<RunningApplication> applicationOfProcess(const ProcessRecord& process, unsigned uid,
                                                       const ApplicationMatcher& matcher,
                                                       const ThisApplication& self,
                                                       const BundleFactsLookup& bundleFacts)
{
    if (process.isZombie())
        return std::nullopt;
    RunningApplication application;
    application.pid = process.pid;
    application.startTime = process.startTime;
    if (process.pid == self.pid) {
        application.startTime = process.startTime ? process.startTime : self.startTime;
        application.name = self.name;
        application.path = self.bundlePath;
        application.bundleIdentifier = self.bundleIdentifier;
    } else if (process.uid != uid) {
        return std::nullopt;
    } else if (const QString bundle = bundlePathOfExecutable(process.executable); !bundle.isEmpty()) {
        const BundleFacts facts = bundleFacts ? bundleFacts(bundle) : BundleFacts{};
        application.path = bundle;
        application.name = facts.name.isEmpty() ? bundle.mid(bundle.lastIndexOf(QLatin1Char('/')) + 1).chopped(4)
                                                : facts.name;
        application.bundleIdentifier = facts.identifier;
    } else if (const ApplicationEntry* entry = matcher.match(process)) {
        application.path = entry->path;
        application.name = entry->name;
    } else {
        return std::nullopt;
    }
    return application;
}

QList<RunningApplication> runningApplications(const std::vector<ProcessRecord>& processes,
                                              const ApplicationOfProcess& applicationOf,
                                              const ThisApplication& self)
{
    QHash<qint64, RunningApplication> resolved;
    QHash<qint64, qint64> parents;
    bool selfSeen = false;
    for (const ProcessRecord& process : processes) {
        std::optional<RunningApplication> application = applicationOf(process);
        if (!application)
            continue;
        selfSeen = selfSeen || process.pid == self.pid;
        resolved.insert(process.pid, std::move(*application));
        parents.insert(process.pid, process.parentPid);
    }

    QList<RunningApplication> list;
    for (auto it = resolved.cbegin(); it != resolved.cend(); ++it) {
        const auto parent = resolved.constFind(parents.value(it.key()));
        if (it.key() != self.pid && parent != resolved.cend() && parent->path == it->path)
            continue;
        list << *it;
    }
    if (!selfSeen && self.pid > 0)
        list << RunningApplication{self.pid, self.startTime, self.name, self.bundlePath, self.bundleIdentifier};
    std::sort(list.begin(), list.end(), [](const RunningApplication& a, const RunningApplication& b) {
        return std::tie(a.startTime, a.pid) < std::tie(b.startTime, b.pid);
    });
    return list;
}

ApplicationChanges compareRunningApplications(const QList<RunningApplication>& before,
                                              const QList<RunningApplication>& after)
{
    QSet<Identity> beforeSet;
    QSet<Identity> afterSet;
    for (const RunningApplication& application : before)
        beforeSet.insert(identityOf(application));
    for (const RunningApplication& application : after)
        afterSet.insert(identityOf(application));

    ApplicationChanges changes;
    for (const RunningApplication& application : before) {
        if (!afterSet.contains(identityOf(application)))
            changes.terminated << application;
    }
    for (const RunningApplication& application : after) {
        if (!beforeSet.contains(identityOf(application)))
            changes.launched << application;
    }
    return changes;
}

} // namespace platform
