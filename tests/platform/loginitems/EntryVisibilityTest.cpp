#include "platform/loginitems/EntryVisibility.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using platform::DesktopEntry;
using platform::EntryVisibility;

namespace {

DesktopEntry entry(const QByteArray& keys)
{
    return DesktopEntry::parse("[Desktop Entry]\n" + keys).value();
}

} // namespace

TEST(EntryVisibilityTest, TheFirstDeclaredDesktopThatAListNamesDecides)
{
    const QStringList twoDesktops{"ubuntu", "GNOME"}, kde{"KDE"}, none;
    const struct {
        const char* keys;
        bool underTwo, underKde, underNone;
    } cases[] = {
        {"Name=plain", true, true, true},
        {"OnlyShowIn=GNOME;", true, false, false},
        {"OnlyShowIn=XFCE;LXDE", false, false, false},
        {"NotShowIn=GNOME;", false, true, true},
        {"NotShowIn=gnome;", true, true, true}, // names are matched exactly
        {"OnlyShowIn=GNOME;\nNotShowIn=ubuntu;", false, false, false}, // ubuntu comes first
        {"OnlyShowIn=ubuntu;\nNotShowIn=GNOME;", true, false, false},
        {"OnlyShowIn=", false, false, false}, // an empty list shows the entry nowhere
        {"NotShowIn=", true, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EntryVisibility::isShownIn(entry(c.keys), twoDesktops), c.underTwo) << c.keys;
        EXPECT_EQ(EntryVisibility::isShownIn(entry(c.keys), kde), c.underKde) << c.keys;
        EXPECT_EQ(EntryVisibility::isShownIn(entry(c.keys), none), c.underNone) << c.keys;
    }
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu::GNOME:");
    EXPECT_EQ(EntryVisibility::currentDesktops(), twoDesktops);
    qunsetenv("XDG_CURRENT_DESKTOP");
    EXPECT_EQ(EntryVisibility::currentDesktops(), none);
}

TEST(EntryVisibilityTest, ProgramsAreFoundAsGLibFindsThem)
{
    const QString base = test::makeTemporaryFolder("programs");
    const auto file = [&](const QString& name, bool executable) {
        test::writeFile(base + '/' + name, "#!/bin/sh\n");
        QFile::setPermissions(base + '/' + name, executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        return base + '/' + name;
    };
    const QString tool = file("tool", true), text = file("notes", false), percent = file("100% done", true);
    QDir().mkpath(base + "/folder");
    QFile::link(base + "/gone", base + "/dangling");
    const struct {
        QString keys;
        bool tryExec, exec;
    } cases[] = {
        {"Exec=sh -c true", true, true},
        {"TryExec=sh\nExec=\"" + tool + "\" %U", true, true},
        {"TryExec=no-such-program-anywhere\nExec=" + tool, false, true},
        {"TryExec=" + text + "\nExec=" + text, false, false}, // no execute bit
        {"TryExec=" + base + "/folder\nExec=" + base + "/folder", false, false},
        {"TryExec=" + base + "/dangling\nExec=" + base + "/dangling", false, false},
        {"Exec=\"" + tool + " --open-quote", true, false},
        {"Exec=\"" + base + "/100%% done\"", true, false}, // looked up before "%%" is undone
        {"Exec=env \"" + base + "/100%% done\"", true, true},
        {"Exec=\nTryExec=", true, true},
    };
    for (const auto& c : cases) {
        const DesktopEntry e = entry(c.keys.toUtf8());
        EXPECT_EQ(EntryVisibility::hasTryExecProgram(e), c.tryExec) << qPrintable(c.keys);
        EXPECT_EQ(EntryVisibility::hasExecProgram(e), c.exec) << qPrintable(c.keys);
    }
    EXPECT_TRUE(EntryVisibility::canFindProgram(percent));
}
