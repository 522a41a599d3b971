#include "platform/xdg/EntryVisibility.h"

#include "IsolatedEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

using platform::EntryVisibility;

namespace {

platform::DesktopEntry entry(const QString& keys)
{
    return platform::DesktopEntry::parse("[Desktop Entry]\n" + keys.toUtf8()).value();
}

} // namespace

TEST(EntryVisibilityTest, TheFirstDeclaredDesktopThatAListNamesDecides)
{
    const QStringList desktops[] = {{"ubuntu", "GNOME"}, {"KDE"}, {}};
    const std::pair<const char*, std::array<bool, 3>> cases[] = {
        {"Name=plain", {true, true, true}}, {"OnlyShowIn=GNOME;", {true, false, false}},
        {"NotShowIn=GNOME;", {false, true, true}}, {"NotShowIn=gnome;", {true, true, true}},
        {"OnlyShowIn=GNOME;\nNotShowIn=ubuntu;", {false, false, false}}, {"OnlyShowIn=", {false, false, false}}};
    for (const auto& [keys, shown] : cases)
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(EntryVisibility::isShownIn(entry(keys), desktops[i]), shown[i]) << keys << " under " << i;
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu::GNOME:");
    EXPECT_EQ(EntryVisibility::currentDesktops(), desktops[0]);
    qunsetenv("XDG_CURRENT_DESKTOP");
}

TEST(EntryVisibilityTest, ProgramsAreLookedUpAsGLibLooksThemUp)
{
    const QString base = test::makeTemporaryFolder("programs");
    for (const QString name : {"tool", "100% done", "notes"}) {
        test::writeFile(base + '/' + name, "#!/bin/sh\n");
        QFile::setPermissions(base + '/' + name, QFile::ReadOwner | (name == "notes" ? QFile::ReadOwner : QFile::ExeOwner));
    }
    QFile::link(base + "/gone", base + "/dangling");
    const std::tuple<QString, bool, bool> cases[] = { // the keys; whether TryExec and Exec are found
        {"TryExec=sh\nExec=\"" + base + "/tool\" %U", true, true},
        {"TryExec=no-such-program\nExec=" + base + "/notes", false, false}, // not on PATH; not executable
        {"TryExec=" + base + "\nExec=" + base + "/dangling", false, false},
        {"Exec=\"" + base + "/tool --open-quote", true, false},
        {"Exec=\"" + base + "/100%% done\"", true, false}, // looked up before "%%" is undone
        {"Exec=env \"" + base + "/100%% done\"", true, true}};
    for (const auto& [keys, tryExec, exec] : cases) {
        EXPECT_EQ(EntryVisibility::hasTryExecProgram(entry(keys)), tryExec) << qPrintable(keys);
        EXPECT_EQ(EntryVisibility::hasExecProgram(entry(keys)), exec) << qPrintable(keys);
    }
}
