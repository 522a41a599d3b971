#include "platform/workspace/LinuxWorkspace.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"

#include <QDir>
#include <QProcess>

#include <array>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace platform;

// GLib's GDesktopAppInfo is the desktops' own reader: over a fixture of tricky entries (desktop
// lists, missing programs, overrides, a subfolder id, escapes, languages, a working folder)
// the workspace lists what it lists, by the same names, and starts what it starts. (Each test
// case runs in a process of its own, so the variables set here go with it.)
TEST(DesktopEntriesAgainstGLibTest, TheListAndWhatItStartsAgreeUnderTwoDesktopsAndNone)
{
#ifndef TAVRIN_GLIB_READER
    GTEST_SKIP() << "GLib's development files (libglib2.0-dev) are not installed: nothing to compare with";
#else
    const auto glib = [](const QStringList& arguments) {
        QProcess reader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s); // GLib keeps its caches to the end
        reader.setProcessEnvironment(environment);
        reader.start(QStringLiteral(TAVRIN_GLIB_READER), arguments);
        reader.waitForFinished(30000);
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        return reader.readAllStandardOutput();
    };
    test::TestPlatform tp;
    const QString entries = test::fixturePath(u"desktop-entries"_s);
    const QString bin = test::makeTemporaryFolder(u"bin"_s);
    const QString out = bin + u"/started"_s;
    ASSERT_TRUE(test::writeFile(bin + u"/tavrin-probe"_s,
                                "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\037' \"$a\"; done; } > \"$TAVRIN_PROBE_OUT\"\n"));
    QFile::setPermissions(bin + u"/tavrin-probe"_s, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    qputenv("TAVRIN_PROBE_OUT", QFile::encodeName(out));
    qputenv("XDG_DATA_HOME", QFile::encodeName(entries + u"/user"_s));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(entries + u"/system"_s));
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "XDG_CURRENT_DESKTOP"})
        qunsetenv(name);

    const std::array<const char*, 3> sessions[] = {{"GNOME", "C", ""}, {"XFCE:GNOME", "de_DE.UTF-8", "fr"}, {"", "de_DE.UTF-8", ""}};
    for (const auto& [desktops, lang, language] : sessions) {
        SCOPED_TRACE(*desktops ? desktops : "no declared desktop");
        *desktops ? qputenv("XDG_CURRENT_DESKTOP", desktops) : qunsetenv("XDG_CURRENT_DESKTOP");
        qputenv("LANG", lang);
        qputenv("LANGUAGE", language);
        QStringList started; // the folder, then the arguments after the program
        LinuxWorkspace::Settings s = LinuxWorkspace::defaultSettings(*tp->bundle, {tp->dispatcher, tp->simulatedMac, tp->searchPaths, tp->propertyLists});
        s.applicationFolders = ApplicationCatalog::defaultFolders();
        s.locale = ApplicationEntry::messagesLocale();
        s.startProgram = [&](const QStringList& arguments, const QString& folder) {
            started = QStringList{folder.isEmpty() ? QDir::currentPath() : folder} + arguments.mid(1);
            return true;
        };
        LinuxWorkspace workspace(s);
        QStringList ours;
        for (const DesktopApplication& application : workspace.desktopApplications())
            ours << application.desktopEntryPath + u'\x1f' + application.name;
        QStringList theirs = QString::fromUtf8(glib({u"list"_s})).split(u'\x1e', Qt::SkipEmptyParts);
        ours.sort();
        theirs.sort();
        EXPECT_EQ(ours, theirs);
        EXPECT_GE(ours.size(), 6);

        for (const QString& application : std::as_const(ours)) {
            const QString file = application.section(u'\x1f', 0, 0);
            ASSERT_TRUE(workspace.launchApplication(file)) << file.toStdString();
            QFile::remove(out);
            glib({u"launch"_s, file});
            const QString record = QString::fromUtf8(test::readFile(out));
            const QString pwd = record.section(u'\n', 0, 0);
            QStringList arguments = record.mid(pwd.size() + 1).split(u'\x1f');
            arguments.removeLast(); // after the last separator
            EXPECT_EQ(started, QStringList{pwd} + arguments) << file.toStdString();
        }
    }
#endif
}
