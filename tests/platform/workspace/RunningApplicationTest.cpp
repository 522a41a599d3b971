#include "platform/workspace/ApplicationMatcher.h"
#include "platform/workspace/RunningApplication.h"
#include "platform/workspace/Workspace.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace platform;

namespace {

constexpr unsigned kUser = 1000;
const QString kEditor = u"/usr/bin/editor"_s;
const ThisApplication self{10, 5, u"Tavrin"_s, u"/opt/Tavrin.app"_s, u"com.brenlow.Tavrin"_s};

ProcessRecord process(qint64 pid, qint64 parent, qint64 start, const QString& executable = kEditor, unsigned uid = kUser,
                      char state = 'S')
{
    ProcessRecord record;
    std::tie(record.pid, record.parentPid, record.startTime, record.executable, record.uid, record.state) =
        std::tuple(pid, parent, start, executable, uid, state);
    record.arguments = {executable};
    return record;
}

QList<RunningApplication> listOf(const std::vector<ProcessRecord>& processes, const BundleFactsLookup& facts = {})
{
    ApplicationEntry editor;
    editor.id = u"editor.desktop"_s;
    editor.path = u"/usr/share/applications/editor.desktop"_s;
    editor.name = u"Editor"_s;
    editor.command = {kEditor, u"%U"_s};
    const ApplicationMatcher matcher({editor});
    return runningApplications(
        processes, [&](const ProcessRecord& p) { return applicationOfProcess(p, kUser, matcher, self, facts); }, self);
}

RunningApplication app(qint64 pid, qint64 start, const QString& path = u"/a.desktop"_s)
{
    return {pid, start, u"A"_s, path, {}};
}

} // namespace

TEST(RunningApplicationTest, ListsTheUsersApplicationsAndThisProgramInStartOrder)
{
    const RunningApplication me{10, 100, self.name, self.bundlePath, self.bundleIdentifier};
    const RunningApplication editor{20, 200, u"Editor"_s, u"/usr/share/applications/editor.desktop"_s, {}};
    EXPECT_EQ(listOf({
                  process(70, 1, 700),                  // a second copy
                  process(20, 1, 200),
                  process(21, 20, 210),                 // its helper
                  process(22, 21, 220),                 // the helper's helper
                  process(30, 1, 300, kEditor, 1001),   // someone else's
                  process(40, 1, 400, kEditor, kUser, 'Z'), // quit, not yet reaped
                  process(60, 1, 600, u"/usr/bin/unknown"_s),
                  process(10, 1, 100, u"/build/tests/runner"_s),
              }),
              (QList<RunningApplication>{me, editor, {70, 700, editor.name, editor.path, {}}}));
    // Not seen at all, it is still listed, with its own start time.
    EXPECT_EQ(listOf({}), (QList<RunningApplication>{{10, 5, self.name, self.bundlePath, self.bundleIdentifier}}));
}

TEST(RunningApplicationTest, ProgramsOfApplicationBundlesAreNamedByTheirBundle)
{
    int lookups = 0;
    const BundleFactsLookup facts = [&](const QString& bundle) {
        ++lookups;
        return bundle == "/Apps/Other Tavrin.app"_L1 ? BundleFacts{u"Tavrin"_s, u"com.brenlow.Tavrin"_s} : BundleFacts{};
    };
    const QList<RunningApplication> list = listOf(
        {process(50, 1, 500, u"/Apps/Other Tavrin.app/Contents/MacOS/Tavrin"_s), process(51, 1, 510, u"/Apps/Plain.app/Contents/MacOS/Plain"_s)},
        facts);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1], (RunningApplication{50, 500, u"Tavrin"_s, u"/Apps/Other Tavrin.app"_s, u"com.brenlow.Tavrin"_s}));
    EXPECT_EQ(list[2].name, u"Plain"_s);
    EXPECT_EQ(lookups, 2);

    const std::pair<const char*, const char*> bundles[] = {
        {"/x/Foo.app/Contents/MacOS/Foo", "/x/Foo.app"}, {"/x/Foo.app/Contents/MacOS/lib/Foo", ""},
        {"/x/Foo/Contents/MacOS/Foo", ""},               {"/x/.app/Contents/MacOS/Foo", ""},
        {"/x/Foo.app/Contents/MacOS/", ""},
    };
    for (const auto& [executable, bundle] : bundles)
        EXPECT_EQ(bundlePathOfExecutable(QString::fromLatin1(executable)), QString::fromLatin1(bundle)) << executable;
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
        // Between two looks the application quit and a new process got its identifier.
        {"reused identifier", {app(20, 200)}, {app(20, 900)}, {app(20, 200)}, {app(20, 900)}},
        // A process that replaced its program with another application's.
        {"replaced program", {app(20, 200)}, {app(20, 200, u"/b.desktop"_s)}, {app(20, 200)}, {app(20, 200, u"/b.desktop"_s)}},
    };
    for (const auto& c : cases) {
        const ApplicationChanges changes = compareRunningApplications(c.before, c.after);
        EXPECT_EQ(std::pair(changes.terminated, changes.launched), std::pair(c.terminated, c.launched)) << c.name;
    }
}
