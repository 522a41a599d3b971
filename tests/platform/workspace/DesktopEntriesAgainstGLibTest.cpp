#include "platform/workspace/LinuxWorkspace.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace platform;

namespace {

struct Shown {
    QString file;
    QString name;
    bool operator==(const Shown&) const = default;
    bool operator<(const Shown& other) const { return file < other.file; }
};

// The variable as given for the scope (unset when null), as it was afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name), was_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { had_ ? qputenv(name_, was_) : qunsetenv(name_); }

private:
    const char* name_;
    QByteArray was_;
    bool had_;
};

[[maybe_unused]] QByteArray runReader(const QStringList& arguments)
{
    QProcess reader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s); // GLib keeps its caches to the end
    reader.setProcessEnvironment(environment);
#ifdef TAVRIN_GLIB_READER
    reader.start(QStringLiteral(TAVRIN_GLIB_READER), arguments);
#endif
    reader.waitForFinished(30000);
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    return reader.readAllStandardOutput();
}

} // namespace

// GLib's GDesktopAppInfo is the desktops' own reader: over a fixture of tricky entries (desktop
// lists, missing programs, overrides, a subfolder id, escapes, languages, a working folder)
// the workspace lists what it lists, by the same names, and starts what it starts.
TEST(DesktopEntriesAgainstGLibTest, TheListAndWhatItStartsAgreeUnderTwoDesktopsAndNone)
{
#ifndef TAVRIN_GLIB_READER
    GTEST_SKIP() << "GLib's development files (libglib2.0-dev) are not installed: nothing to compare with";
#else
    test::TestPlatform tp;
    const QString entries = test::fixturePath(u"desktop-entries"_s);
    const QString bin = test::makeTemporaryFolder(u"bin"_s);
    const QString out = bin + u"/started"_s;
    ASSERT_TRUE(test::writeFile(bin + u"/tavrin-probe"_s,
                                "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\037' \"$a\"; done; } > \"$TAVRIN_PROBE_OUT\"\n"));
    QFile::setPermissions(bin + u"/tavrin-probe"_s, QFile::ReadOwner | QFile::ExeOwner);
    ScopedVariable path("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    ScopedVariable probe("TAVRIN_PROBE_OUT", QFile::encodeName(out));
    ScopedVariable home("XDG_DATA_HOME", QFile::encodeName(entries + u"/user"_s));
    ScopedVariable dirs("XDG_DATA_DIRS", QFile::encodeName(entries + u"/system"_s));
    ScopedVariable all("LC_ALL", {});
    ScopedVariable messages("LC_MESSAGES", {});

    const struct {
        QByteArray desktops, lang, language;
    } sessions[] = {{"GNOME", "C", {}}, {"XFCE:GNOME", "de_DE.UTF-8", "fr"}, {{}, "de_DE.UTF-8", {}}};
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.desktops.isNull() ? "no declared desktop" : session.desktops.constData());
        ScopedVariable desktops("XDG_CURRENT_DESKTOP", session.desktops);
        ScopedVariable lang("LANG", session.lang);
        ScopedVariable language("LANGUAGE", session.language);

        QList<QStringList> started;
        LinuxWorkspace::Settings s = LinuxWorkspace::defaultSettings(*tp->bundle);
        s.applicationFolders = ApplicationCatalog::defaultFolders();
        s.locale = ApplicationEntry::messagesLocale();
        s.startProgram = [&](const QStringList& arguments, const QString& folder) {
            return started << QStringList{folder.isEmpty() ? QDir::currentPath() : folder} + arguments.mid(1), true;
        };
        LinuxWorkspace workspace(s);
        QList<Shown> ours;
        for (const DesktopApplication& application : workspace.desktopApplications())
            ours << Shown{application.desktopEntryPath, application.name};
        QList<Shown> theirs;
        for (const QByteArray& record : runReader({u"list"_s}).split('\x1e')) {
            if (const QList<QByteArray> fields = record.split('\x1f'); fields.size() == 2)
                theirs << Shown{QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1])};
        }
        std::sort(ours.begin(), ours.end());
        std::sort(theirs.begin(), theirs.end());
        EXPECT_EQ(ours, theirs);
        EXPECT_GE(ours.size(), 6);

        for (const Shown& application : ours) {
            started.clear();
            ASSERT_TRUE(workspace.launchApplication(application.file)) << application.file.toStdString();
            QFile::remove(out);
            runReader({u"launch"_s, application.file});
            QList<QByteArray> lines = test::readFile(out).split('\n');
            QStringList glib{QString::fromUtf8(lines.value(0))};
            for (const QByteArray& argument : lines.mid(1).join('\n').split('\x1f').mid(0, lines.mid(1).join('\n').count('\x1f')))
                glib << QString::fromUtf8(argument);
            EXPECT_EQ(started.value(0), glib) << application.file.toStdString();
        }
    }
#endif
}
