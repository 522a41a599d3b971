#include "platform/workspace/ApplicationMatcher.h"
#include "platform/workspace/RunningApplication.h"
#include "platform/workspace/Workspace.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr unsigned kUser = 1000;
constexpr unsigned kSomeoneElse = 1001;

ProcessRecord process(qint64 pid, qint64 parent, qint64 start, const QString& executable,
                      unsigned uid = kUser, char state = 'S')
{
    ProcessRecord record;
    record.pid = pid;
    record.parentPid = parent;
    record.startTime = start;
    record.executable = executable;
    record.arguments = {executable};
    record.uid = uid;
    record.state = state;
    return record;
}

ApplicationMatcher editorMatcher()
{
    ApplicationEntry editor;
    editor.id = QStringLiteral("editor.desktop");
    editor.path = QStringLiteral("/usr/share/applications/editor.desktop");
    editor.name = QStringLiteral("Editor");
    editor.command = {QStringLiteral("/usr/bin/editor"), QStringLiteral("%U")};
    return ApplicationMatcher({editor});
}

const ThisApplication self{10, 5, QStringLiteral("Tavrin"), QStringLiteral("/opt/Tavrin.app"),
                           QStringLiteral("com.brenlow.Tavrin")};

QList<qint64> pidsOf(const QList<RunningApplication>& list)
{
    QList<qint64> pids;
    for (const RunningApplication& application : list)
        pids << application.pid;
    return pids;
}

QList<RunningApplication> listOf(const std::vector<ProcessRecord>& processes, const ApplicationMatcher& matcher,
                                 const BundleFactsLookup& facts = {})
{
    return runningApplications(
        processes, [&](const ProcessRecord& p) { return applicationOfProcess(p, kUser, matcher, self, facts); }, self);
}

RunningApplication app(qint64 pid, qint64 start, const QString& path = QStringLiteral("/a.desktop"))
{
    return {pid, start, QStringLiteral("A"), path, {}};
}

} // namespace

TEST(RunningApplicationTest, ListsTheUsersApplicationsAndThisProgramInStartOrder)
{
    const std::vector<ProcessRecord> processes = {
        process(70, 1, 700, QStringLiteral("/usr/bin/editor")),              // a second copy
        process(20, 1, 200, QStringLiteral("/usr/bin/editor")),
        process(21, 20, 210, QStringLiteral("/usr/bin/editor")),             // its helper
        process(22, 21, 220, QStringLiteral("/usr/bin/editor")),             // the helper's helper
        process(30, 1, 300, QStringLiteral("/usr/bin/editor"), kSomeoneElse),
        process(40, 1, 400, QStringLiteral("/usr/bin/editor"), kUser, 'Z'),  // quit, not yet reaped
        process(60, 1, 600, QStringLiteral("/usr/bin/unknown")),
        process(10, 1, 100, QStringLiteral("/build/tests/runner")),
    };
    const QList<RunningApplication> list = listOf(processes, editorMatcher());
    EXPECT_EQ(pidsOf(list), (QList<qint64>{10, 20, 70}));
    EXPECT_EQ(list[0], (RunningApplication{10, 100, self.name, self.bundlePath, self.bundleIdentifier}));
    EXPECT_EQ(list[1], (RunningApplication{20, 200, QStringLiteral("Editor"), QStringLiteral("/usr/share/applications/editor.desktop"), {}}));

    // Not seen at all, it is still listed, with its own start time.
    EXPECT_EQ(listOf({}, editorMatcher()), (QList<RunningApplication>{{10, 5, self.name, self.bundlePath, self.bundleIdentifier}}));
}

TEST(RunningApplicationTest, ProgramsOfApplicationBundlesAreNamedByTheirBundle)
{
    const std::vector<ProcessRecord> processes = {
        process(50, 1, 500, QStringLiteral("/Apps/Other Tavrin.app/Contents/MacOS/Tavrin")),
        process(51, 1, 510, QStringLiteral("/Apps/Plain.app/Contents/MacOS/Plain")),
    };
    int lookups = 0;
    const BundleFactsLookup facts = [&](const QString& bundle) {
        ++lookups;
        if (bundle == QLatin1String("/Apps/Other Tavrin.app"))
            return BundleFacts{QStringLiteral("Tavrin"), QStringLiteral("com.brenlow.Tavrin")};
        return BundleFacts{};
    };
    const QList<RunningApplication> list = listOf(processes, editorMatcher(), facts);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1], (RunningApplication{50, 500, QStringLiteral("Tavrin"), QStringLiteral("/Apps/Other Tavrin.app"),
                                           QStringLiteral("com.brenlow.Tavrin")}));
    EXPECT_EQ(list[2].name, QStringLiteral("Plain"));
    EXPECT_EQ(lookups, 2);

    const std::pair<const char*, const char*> bundles[] = {
        {"/x/Foo.app/Contents/MacOS/Foo", "/x/Foo.app"}, {"/x/Foo.app/Contents/MacOS/lib/Foo", ""},
        {"/x/Foo/Contents/MacOS/Foo", ""},               {"/x/.app/Contents/MacOS/Foo", ""},
        {"/x/Foo.app/Contents/MacOS/", ""},
    };
    for (const auto& [executable, bundle] : bundles)
        EXPECT_EQ(bundlePathOfExecutable(QString::fromLatin1(executable)), QString::fromLatin1(bundle)) << executable;
}

TEST(RunningApplicationTest, TheDictionaryLeavesOutAnEmptyIdentifier)
{
    const RunningApplication named{42, 4242, QStringLiteral("N"), QStringLiteral("/n.app"), QStringLiteral("org.example.N")};
    EXPECT_EQ(named.dictionary().value(NSApplicationBundleIdentifier), QStringLiteral("org.example.N"));
    EXPECT_FALSE(app(1, 1).dictionary().contains(NSApplicationBundleIdentifier));
}

TEST(RunningApplicationTest, ChangesAreLaunchesAndQuits)
{
    using List = QList<RunningApplication>;
    const List before = {app(10, 100), app(20, 200), app(30, 300)};
    const struct {
        const char* name;
        List before, after, terminated, launched;
    } cases[] = {
        {"no change", before, before, {}, {}},
        {"one quit, one started", before, {app(10, 100), app(30, 300), app(40, 400)}, {app(20, 200)}, {app(40, 400)}},
        {"from nothing", {}, before, {}, before},
        {"to nothing", before, {}, before, {}},
        // Between two looks the application quit and a new process got its identifier.
        {"reused identifier", {app(20, 200)}, {app(20, 900)}, {app(20, 200)}, {app(20, 900)}},
        // A process that replaced its program with another application's.
        {"replaced program", {app(20, 200)}, {app(20, 200, QStringLiteral("/b.desktop"))}, {app(20, 200)},
         {app(20, 200, QStringLiteral("/b.desktop"))}},
    };
    for (const auto& c : cases) {
        const ApplicationChanges changes = compareRunningApplications(c.before, c.after);
        EXPECT_EQ(changes.terminated, c.terminated) << c.name;
        EXPECT_EQ(changes.launched, c.launched) << c.name;
    }
}
