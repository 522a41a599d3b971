#include "platform/workspace/ApplicationCatalog.h"
#include "platform/workspace/ApplicationMatcher.h"

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

TEST_F(ApplicationMatcherTest, ProgramsAreKnownByPathNameScriptOrWindowClass)
{
    const QString editor = QStringLiteral("editor.desktop"), notes = QStringLiteral("notes.desktop");
    const QString wrapped = QStringLiteral("wrapped.desktop"), none;
    const QString python = QStringLiteral("/usr/bin/python3.11"), bash = QStringLiteral("/usr/bin/bash");
    const struct {
        QString executable;
        QStringList arguments;
        QString expected;
    } cases[] = {
        {QStringLiteral("/opt/My Editor/bin/my-editor"), {QStringLiteral("/opt/My Editor/bin/my-editor")}, editor},
        // Installed elsewhere and started by name: the name is shared with a hidden helper entry,
        // and the entry that shows in menus wins.
        {QStringLiteral("/usr/lib/my-editor/my-editor"), {QStringLiteral("my-editor")}, editor},
        {QStringLiteral("/opt/evil/bin/evil"), {QStringLiteral("evil"), QStringLiteral("$(id)")}, QStringLiteral("hostile.desktop")},
        // After an update the running program's file is gone, but its path still names it.
        {QStringLiteral("/usr/bin/wrapped-app"), {}, wrapped},
        // Scripts are known by the script, not by the interpreter.
        {python, {QStringLiteral("/usr/bin/python3"), QStringLiteral("/usr/share/tools/notes.py"), QStringLiteral("x")}, notes},
        {python, {QStringLiteral("python3"), QStringLiteral("-u"), QStringLiteral("/usr/share/tools/notes.py")}, notes},
        {python, {QStringLiteral("python3"), QStringLiteral("/srv/other.py")}, none},
        {python, {QStringLiteral("python3")}, none},
        // An entry whose command is a bare shell does not claim every shell of the user.
        {bash, {QStringLiteral("bash")}, none},
        {bash, {QStringLiteral("-bash")}, none},
        // "env VAR=x -u NAME program": the program counts.
        {QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("/usr/bin/wrapped-app"), QStringLiteral("--x")}, wrapped},
        // A sandbox launcher would otherwise claim every sandboxed application.
        {QStringLiteral("/usr/bin/flatpak"), {QStringLiteral("flatpak"), QStringLiteral("run"), QStringLiteral("org.other.App")}, none},
        {QStringLiteral("/usr/bin/env"), {QStringLiteral("env")}, none},
        // The sandboxed program itself is known by its window class.
        {QStringLiteral("/app/bin/sandboxed-window"), {QStringLiteral("/app/bin/sandboxed-window")}, QStringLiteral("sandboxed.desktop")},
        // Deleted, broken and unknown programs match nothing.
        {QStringLiteral("/usr/bin/deleted-app"), {QStringLiteral("deleted-app")}, none},
        {QStringLiteral("/usr/bin/broken-app"), {QStringLiteral("/usr/bin/broken-app")}, none},
        {QStringLiteral("/usr/bin/other"), {QStringLiteral("other")}, none},
        {QString(), {}, none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchOf(c.executable, c.arguments), c.expected) << c.arguments.join(QLatin1Char(' ')).toStdString();
}

TEST(ApplicationMatcherNames, InterpretersAreRecognisedWithTheirVersions)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/python3.11", "python"}, {"perl5.36.0", "perl"}, {"nodejs", "node"},
        {"/bin/sh", "sh"},                 {"pythonista", ""},     {"firefox", ""},
    };
    for (const auto& [program, name] : cases)
        EXPECT_EQ(ApplicationMatcher::interpreterName(QString::fromLatin1(program)), QString::fromLatin1(name)) << program;
}
