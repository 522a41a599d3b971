#include "platform/workspace/ApplicationCatalog.h"
#include "platform/workspace/ApplicationMatcher.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ApplicationMatcherTest, ProgramsAreKnownByPathNameScriptOrWindowClass)
{
    platform::ApplicationCatalog catalog({test::fixturePath(u"workspace/applications"_s)}, u"C"_s);
    catalog.refresh();
    const QString editor = u"editor.desktop"_s, notes = u"notes.desktop"_s, wrapped = u"wrapped.desktop"_s, none;
    const QString python = u"/usr/bin/python3.11"_s, bash = u"/usr/bin/bash"_s;
    const struct {
        QString executable;
        QStringList arguments;
        QString expected;
    } cases[] = {
        {u"/opt/My Editor/bin/my-editor"_s, {u"/opt/My Editor/bin/my-editor"_s}, editor},
        // Installed elsewhere and started by name: the name is shared with a hidden helper entry,
        // and the entry that shows in menus wins.
        {u"/usr/lib/my-editor/my-editor"_s, {u"my-editor"_s}, editor},
        {u"/opt/evil/bin/evil"_s, {u"evil"_s, u"$(id)"_s}, u"hostile.desktop"_s},
        // After an update the running program's file is gone, but its path still names it.
        {u"/usr/bin/wrapped-app"_s, {}, wrapped},
        // Scripts are known by the script, not by the interpreter.
        {python, {u"/usr/bin/python3"_s, u"/usr/share/tools/notes.py"_s, u"x"_s}, notes},
        {python, {u"python3"_s, u"-u"_s, u"/usr/share/tools/notes.py"_s}, notes},
        {python, {u"python3"_s, u"/srv/other.py"_s}, none},
        {python, {u"python3"_s}, none},
        // An entry whose command is a bare shell does not claim every shell of the user.
        {bash, {u"bash"_s}, none},
        {bash, {u"-bash"_s}, none},
        // "env VAR=x -u NAME program": the program counts.
        {u"/usr/bin/wrapped-app"_s, {u"/usr/bin/wrapped-app"_s, u"--x"_s}, wrapped},
        // A sandbox launcher would otherwise claim every sandboxed application.
        {u"/usr/bin/flatpak"_s, {u"flatpak"_s, u"run"_s, u"org.other.App"_s}, none},
        {u"/usr/bin/env"_s, {u"env"_s}, none},
        // The sandboxed program itself is known by its window class.
        {u"/app/bin/sandboxed-window"_s, {u"/app/bin/sandboxed-window"_s}, u"sandboxed.desktop"_s},
        // Deleted, broken and unknown programs match nothing.
        {u"/usr/bin/deleted-app"_s, {u"deleted-app"_s}, none},
        {u"/usr/bin/broken-app"_s, {u"/usr/bin/broken-app"_s}, none},
        {u"/usr/bin/other"_s, {u"other"_s}, none},
        {QString(), {}, none},
    };
    for (const auto& c : cases) {
        platform::ProcessRecord process;
        process.pid = 100;
        process.executable = c.executable;
        process.arguments = c.arguments;
        const platform::ApplicationEntry* entry = catalog.matcher().match(process);
        EXPECT_EQ(entry ? entry->id : QString(), c.expected) << c.arguments.join(u' ').toStdString();
    }
}
