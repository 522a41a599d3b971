#include "workspace/ApplicationCatalog.h"
#include "workspace/ApplicationMatcher.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using platform::ApplicationCatalog;
using platform::ApplicationMatcher;
using platform::ProcessRecord;

namespace {

class ApplicationMatcherTest : public ::testing::Test {
protected:
    void SetUp() override { catalog.refresh(); }

    // The desktop-file id of the entry that names the process, or "" for none.
    QString matchOf(const QString& executable, const QStringList& arguments)
    {
        ProcessRecord process;
        process.pid = 100;
        process.executable = executable;
        process.arguments = arguments;
        const platform::ApplicationEntry* entry = catalog.matcher().match(process);
        return entry ? entry->id : QString();
    }

    ApplicationCatalog catalog{{test::fixturePath(QStringLiteral("workspace/applications"))}, QStringLiteral("C")};
};

} // namespace

TEST_F(ApplicationMatcherTest, AProgramIsKnownByItsPathOrItsName)
{
    EXPECT_EQ(matchOf(QStringLiteral("/opt/My Editor/bin/my-editor"), {QStringLiteral("/opt/My Editor/bin/my-editor")}),
              QStringLiteral("editor.desktop"));
    // Installed elsewhere and started by name: the name is shared with a hidden helper entry,
    // and the entry that shows in menus wins.
    EXPECT_EQ(matchOf(QStringLiteral("/usr/lib/my-editor/my-editor"), {QStringLiteral("my-editor")}),
              QStringLiteral("editor.desktop"));
    EXPECT_EQ(matchOf(QStringLiteral("/opt/evil/bin/evil"), {QStringLiteral("evil"), QStringLiteral("$(id)")}),
              QStringLiteral("hostile.desktop"));
    // After an update the running program's file is gone, but its path still names it.
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/wrapped-app"), {}), QStringLiteral("wrapped.desktop"));
}

TEST_F(ApplicationMatcherTest, ScriptsAreKnownByTheScriptNotByTheInterpreter)
{
    const QString notes = QStringLiteral("notes.desktop");
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/python3.11"),
                      {QStringLiteral("/usr/bin/python3"), QStringLiteral("/usr/share/tools/notes.py"), QStringLiteral("x")}),
              notes);
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/python3.11"), {QStringLiteral("python3"), QStringLiteral("-u"),
                                                             QStringLiteral("/usr/share/tools/notes.py")}),
              notes);
    // Any other script of the same interpreter, and the interpreter alone, are no application.
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/python3.11"), {QStringLiteral("python3"), QStringLiteral("/srv/other.py")}),
              QString());
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/python3.11"), {QStringLiteral("python3")}), QString());
    // An entry whose command is a bare shell does not claim every shell of the user.
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/bash"), {QStringLiteral("bash")}), QString());
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/bash"), {QStringLiteral("-bash")}), QString());
}

TEST_F(ApplicationMatcherTest, LaunchersAndWrappersAreLookedThrough)
{
    // "env VAR=x -u NAME program": the program counts.
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("/usr/bin/wrapped-app"), QStringLiteral("--x")}),
              QStringLiteral("wrapped.desktop"));
    // A sandbox launcher would otherwise claim every sandboxed application.
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/flatpak"), {QStringLiteral("flatpak"), QStringLiteral("run"),
                                                          QStringLiteral("org.other.App")}),
              QString());
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/env"), {QStringLiteral("env")}), QString());
    // The sandboxed program itself is known by its window class.
    EXPECT_EQ(matchOf(QStringLiteral("/app/bin/sandboxed-window"), {QStringLiteral("/app/bin/sandboxed-window")}),
              QStringLiteral("sandboxed.desktop"));
}

TEST_F(ApplicationMatcherTest, DeletedBrokenAndUnknownProgramsMatchNothing)
{
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/deleted-app"), {QStringLiteral("deleted-app")}), QString());
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/broken-app"), {QStringLiteral("/usr/bin/broken-app")}), QString());
    EXPECT_EQ(matchOf(QStringLiteral("/usr/bin/other"), {QStringLiteral("other")}), QString());
    EXPECT_EQ(matchOf(QString(), {}), QString());
}

TEST(ApplicationMatcherNames, InterpretersAreRecognisedWithTheirVersions)
{
    EXPECT_EQ(ApplicationMatcher::interpreterName(QStringLiteral("/usr/bin/python3.11")), QStringLiteral("python"));
    EXPECT_EQ(ApplicationMatcher::interpreterName(QStringLiteral("perl5.36.0")), QStringLiteral("perl"));
    EXPECT_EQ(ApplicationMatcher::interpreterName(QStringLiteral("nodejs")), QStringLiteral("node"));
    EXPECT_EQ(ApplicationMatcher::interpreterName(QStringLiteral("/bin/sh")), QStringLiteral("sh"));
    EXPECT_EQ(ApplicationMatcher::interpreterName(QStringLiteral("pythonista")), QString());
    EXPECT_EQ(ApplicationMatcher::interpreterName(QStringLiteral("firefox")), QString());
}
