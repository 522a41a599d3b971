#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/ExecLine.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::DesktopEntry;
using Item = platform::LoginItemList::Item;

namespace {

QStringList execArguments(const QByteArray& entryText)
{
    const auto entry = DesktopEntry::parse(entryText);
    return entry ? platform::ExecLine::split(entry->value("Exec")).value_or(QStringList{"<open quote>"})
                 : QStringList{"<no entry>"};
}

// An autostart folder of its own and a place for applications, per test.
class LoginItemListTest : public testing::Test {
protected:
    // A bundle whose Info.plist names `executable` (if any) and, when `makeExecutable`, has it.
    QString makeBundle(const QString& name, const QString& executable, bool makeExecutable = true, QVariantMap info = {})
    {
        info.insert("CFBundleIdentifier", "com.example.demo");
        if (!executable.isEmpty())
            info.insert("CFBundleExecutable", executable);
        return test::makeBundle(base_ + "/Applications/" + name, info, makeExecutable);
    }
    void writeEntry(const QString& fileName, const QByteArray& contents = "[Desktop Entry]\nExec=sh\n")
    {
        test::placeFile(folder_ + '/' + fileName, contents);
    }
    QByteArray entryText(const Item& item) const { return test::readFile(folder_ + '/' + item.identifier); }
    std::vector<Item> snapshot() const { return list_.copySnapshot().value_or(std::vector<Item>{}); }
    QStringList paths() const
    {
        QStringList result;
        for (const auto& item : snapshot())
            result << item.path;
        return result;
    }
    std::optional<Item> insert(const QString& path) { return list_.insertItemURL(QUrl::fromLocalFile(path)); }
    platform::LibplistSerialization plists_;
    QString base_ = test::makeTemporaryFolder("login");
    QString folder_ = base_ + "/autostart";
    platform::XdgLoginItemList list_{folder_, {}, plists_, {"GNOME"}};
};

} // namespace

TEST_F(LoginItemListTest, AddsAnApplicationOnceStartsItsExecutableAndResolvesWhileItIsThere)
{
    const QString bundle = makeBundle("Demo.app", "DemoBinary", true, {{"CFBundleIconFile", "AppIcon"}});
    test::placeFile(bundle + "/Contents/Resources/AppIcon.icns", "icns");
    const auto item = insert(bundle);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->displayName, "Demo");
    EXPECT_EQ(DesktopEntry::parse(entryText(*item))->value("Icon"), bundle + "/Contents/Resources/AppIcon.icns");
    EXPECT_EQ(item->describedBy, QString()); // shown as the bundle it was added for
    EXPECT_EQ(execArguments(entryText(*item)), QStringList{bundle + "/Contents/MacOS/DemoBinary"});
    // Asking again, also through a URL with a trailing slash, gives the same item.
    const auto again = list_.insertItemURL(QUrl::fromLocalFile(bundle + '/'));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->identifier, item->identifier);
    EXPECT_EQ(paths(), QStringList{bundle});
    EXPECT_EQ(list_.resolveItem(*item).value_or(QUrl()).toString(), QUrl::fromLocalFile(bundle).toString() + '/');

    // A gone target is still listed, but resolves to nothing; so does a removed item.
    const QString blanks = base_ + "/a b%20c.txt";
    test::placeFile(blanks, "x");
    const auto kept = insert(blanks);
    ASSERT_TRUE(kept && QDir(bundle).removeRecursively());
    EXPECT_FALSE(list_.resolveItem(*item));
    EXPECT_EQ(paths(), QStringList({bundle, blanks}));
    EXPECT_EQ(list_.resolveItem(*kept).value_or(QUrl()), QUrl::fromLocalFile(blanks));
    ASSERT_TRUE(list_.removeItem(*kept));
    EXPECT_FALSE(list_.resolveItem(*kept));
}

TEST_F(LoginItemListTest, WhatAnItemRunsDependsOnWhatItIs)
{
    // The execute bit alone makes no program: FAT, NTFS and exFAT drives give it to every file.
    const auto file = [&](const QString& name, const QByteArray& contents, bool executable) {
        test::placeFile(base_ + '/' + name, contents, executable);
        return base_ + '/' + name;
    };
    const QString binary = file("tool", QByteArray("\x7f" "ELF\x02\x01\x01\0", 8), true);
    const QString script = file("start.sh", "#!/bin/sh\n", true);
    const QString fifo = base_ + "/pipe";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0700), 0);
    QDir().mkpath(base_ + "/Plain Folder");
    // An icon name that leaves Contents/Resources is no icon of the bundle.
    const QString badIcon = makeBundle("BadIcon.app", "Bad", true, {{"CFBundleIconFile", "../../../../notes.txt"}});
    QDir().mkpath(badIcon + "/Contents/Resources");
    const QStringList opened = {
        file("notes.txt", "#!/bin/sh\n", false), file("report.txt", "text", true), file("empty", "", true), fifo,
        file("link.desktop", "[Desktop Entry]\nType=Link\nExec=sh\n", false),
        base_ + "/Plain Folder",
        makeBundle("Looks Like A Bundle", "Run"), // a bundle's layout without the ".app" name
        makeBundle("Empty.app", QString()), makeBundle("Missing.app", "Gone", false),
        makeBundle("Escape.app", "../../../../bin/sh"), // an executable that leaves Contents/MacOS
    };
    // An application's desktop entry runs its Exec line, without the field codes.
    const QString entry = file("editor.desktop", "[Desktop Entry]\nType=Application\nExec=\"/opt/ed it\" --new %F\n", false);
    std::vector<std::pair<QString, QStringList>> cases = {{binary, {binary}}, {script, {script}},
        {badIcon, {badIcon + "/Contents/MacOS/Bad"}}, {entry, {"/opt/ed it", "--new"}}};
    for (const QString& path : opened)
        cases.push_back({path, {"xdg-open", path}});
    for (const auto& [path, expected] : cases) {
        const auto item = insert(path);
        ASSERT_TRUE(item) << qPrintable(path);
        EXPECT_EQ(execArguments(entryText(*item)), expected) << qPrintable(path);
        EXPECT_FALSE(DesktopEntry::parse(entryText(*item))->contains("Icon")) << qPrintable(path);
    }
    EXPECT_EQ(snapshot().size(), cases.size());
}

TEST_F(LoginItemListTest, HostilePathsStayTheirArguments)
{
    const QString names[] = {"Quote\"d", "It's mine", "$(touch pwned-dollar)", "`touch pwned-backquote`",
                             "New\nline\nExec=touch pwned-line", "100% \\back\\slash\\ %U %%f",
                             "Ünïcödé 名前 ; & | < >", "  blanks\tand tab  ", "-rf"};
    for (const QString& name : names) {
        // Each name as an application bundle and its executable, and as a document.
        const QString bundle = makeBundle(name + ".app", name);
        const QString document = base_ + "/Documents/" + name + ".txt";
        test::placeFile(document, "text");
        const QStringList starter = name.contains('%') ? QStringList{"env"} : QStringList{};
        const std::pair<QString, QStringList> cases[] = {{bundle, starter + QStringList{bundle + "/Contents/MacOS/" + name}},
                                                         {document, {"xdg-open", document}}};
        for (const auto& [path, expected] : cases) {
            const auto item = insert(path);
            ASSERT_TRUE(item) << qPrintable(path);
            EXPECT_EQ(item->path, path);
            const QByteArray text = entryText(*item);
            EXPECT_EQ(text.count('\n'), 6) << text.constData(); // no line of the name's own
            EXPECT_EQ(execArguments(text), expected) << text.constData();
            // A shell given the same line (with "%%" undone, as launchers do) sees the same
            // words and runs nothing in them.
            const QString line = DesktopEntry::parse(text)->value("Exec").replace("%%", "%");
            QProcess shell;
            shell.setWorkingDirectory(base_);
            shell.start("/bin/sh", {"-c", "eval \"set -- $1\"; printf '%s\\0' \"$@\"", "sh", line});
            ASSERT_TRUE(shell.waitForFinished(10000));
            EXPECT_EQ(shell.readAllStandardOutput(), expected.join(QChar(0)).toUtf8() + '\0');
        }
    }
    EXPECT_TRUE(QDir(base_).entryList({"pwned*"}).isEmpty());
    EXPECT_EQ(snapshot().size(), 2 * std::size(names));
}

TEST_F(LoginItemListTest, AProgramWhosePathHoldsAPercentSignStartsUnderGLib)
{
    // GLib looks the first word up before it undoes "%%"; env would read a "=" as a variable.
    const QString percent = base_ + "/100% sure/run", assigned = base_ + "/a=b 50%/run";
    const bool gio = !QStandardPaths::findExecutable("gio").isEmpty();
    for (const auto& [path, starter] :
         {std::pair(percent, QStringList{"env"}), std::pair(assigned, QStringList{"nice", "-n", "0"})}) {
        test::placeFile(path, "#!/bin/sh\necho started \"$0\"\n", true);
        const auto item = insert(path);
        ASSERT_TRUE(item) << qPrintable(path);
        EXPECT_EQ(execArguments(entryText(*item)), starter + QStringList{path});
        if (!gio)
            continue;
        // The started script holds the pipe open until it has written.
        QProcess launch;
        launch.start("/bin/sh", {"-c", "gio launch \"$1\" 2>&1 | cat", "sh", folder_ + '/' + item->identifier});
        ASSERT_TRUE(launch.waitForFinished(30000));
        EXPECT_TRUE(launch.readAllStandardOutput().contains("started " + path.toUtf8() + '\n')) << qPrintable(path);
    }
    if (!gio)
        GTEST_SKIP() << "gio is not installed: the entries were read back with this program's reader only";
}

TEST_F(LoginItemListTest, EntriesOfOtherProgramsAreItemsUnlessTheDesktopWouldNotStartThem)
{
    writeEntry("b-applet.desktop", "[Desktop Entry]\nType=Application\nName=Applet\\sTwo\nExec=sh -c \"echo hi\" %U\n"
                                   "Icon=/usr/share/icons/applet.png\n");
    writeEntry("a-absolute.desktop", "[Desktop Entry]\nExec=\"/opt/My Tool/run\" --quiet\nIcon=tool\n");
    // What the desktop (GNOME here) will not start at login is no item.
    int off = 0;
    for (const char* key : {"Hidden=true", "Hidden=1", "X-GNOME-Autostart-enabled=false", "OnlyShowIn=KDE;XFCE;",
                            "NotShowIn=GNOME;", "TryExec=/no/such/program", "TryExec=no-such-program"})
        writeEntry(QString("c-off-%1.desktop").arg(++off), "[Desktop Entry]\nExec=sh\n" + QByteArray(key) + '\n');
    writeEntry("k-on.desktop", "[Desktop Entry]\nExec=/opt/on\nOnlyShowIn=GNOME;\nNotShowIn=KDE;\nTryExec=sh\n"
                               "X-GNOME-Autostart-enabled=true\nNoDisplay=true\n");
    writeEntry("d-broken.desktop", "Name=No group at all\n");
    writeEntry("e-notes.txt");
    writeEntry(".f-dot.desktop");
    writeEntry("g-huge.desktop", "[Desktop Entry]\nExec=sh\n#" + QByteArray(300 * 1024, 'x') + "\n");
    // A FIFO with the right name must not hold up the listing.
    ASSERT_EQ(mkfifo(QFile::encodeName(folder_ + "/h-fifo.desktop").constData(), 0600), 0);
    QDir().mkpath(folder_ + "/i-folder.desktop");
    writeEntry("j-env.desktop", "[Desktop Entry]\nExec=env -u HOME LANG=C /opt/env-tool -x\n");
    const auto items = snapshot();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2].path, "/opt/env-tool");
    EXPECT_EQ(items[3].path, "/opt/on");
    const auto shown = [](const Item& i) { return QStringList{i.displayName, i.path, i.describedBy}; };
    EXPECT_EQ(shown(items[0]), QStringList({"a-absolute", "/opt/My Tool/run", folder_ + "/a-absolute.desktop"}));
    // A shell's entry stands for itself: many entries start one.
    EXPECT_EQ(shown(items[1]), QStringList({"Applet Two", folder_ + "/b-applet.desktop", folder_ + "/b-applet.desktop"}));
    // The entry exists; the program in /opt does not.
    EXPECT_TRUE(list_.resolveItem(items[1]));
    EXPECT_FALSE(list_.resolveItem(items[0]));
}

TEST_F(LoginItemListTest, RemovingTakesOnlyThatItemAndAddedItemsKeepTheirOrderAfterTheOthers)
{
    QStringList bundles;
    for (const char* name : {"Zeta", "Alpha", "Mid", "Last"})
        bundles << makeBundle(QString(name) + ".app", name);
    std::vector<Item> items;
    for (int i = 0; i < 3; ++i)
        items.push_back(insert(bundles[i]).value());
    EXPECT_TRUE(list_.removeItem(items[1]));
    EXPECT_FALSE(list_.removeItem(items[1]));
    ASSERT_TRUE(insert(bundles[3]));
    writeEntry("zz-other.desktop", "[Desktop Entry]\nExec=/bin/other\n");
    EXPECT_EQ(paths(), QStringList({"/bin/other", bundles[0], bundles[2], bundles[3]}));
    // An identifier that names something outside the folder removes nothing.
    test::placeFile(base_ + "/keep.desktop", "[Desktop Entry]\nExec=sh\n");
    for (const char* identifier : {"../keep.desktop", "..", "", "autostart"})
        EXPECT_FALSE(list_.removeItem(Item{identifier, {}, {}, {}})) << identifier;
    EXPECT_TRUE(QFile::exists(base_ + "/keep.desktop"));
    EXPECT_TRUE(QDir(folder_).exists());
}

TEST_F(LoginItemListTest, RefusesWhatCannotBeAnItem)
{
    EXPECT_FALSE(insert(base_ + "/missing.app"));
    for (const char* url : {"https://example.com/App.app", "relative/App.app", ""})
        EXPECT_FALSE(list_.insertItemURL(QUrl(url))) << url;
    EXPECT_FALSE(QDir(folder_).exists()); // nothing written, not even the folder
    // A folder that cannot be read gives no list and takes no item.
    test::placeFile(folder_, "not a folder");
    EXPECT_FALSE(list_.copySnapshot());
    test::placeFile(base_ + "/doc.txt", "x");
    EXPECT_FALSE(insert(base_ + "/doc.txt"));
}

TEST_F(LoginItemListTest, AnOutsideChangeIsReportedOnceAndTheWatchDeliversIt)
{
    int calls = 0;
    auto observation = list_.addObserver([&] { ++calls; });
    const auto reports = [&] {
        const int before = calls;
        list_.checkForChanges();
        return calls - before;
    };
    EXPECT_EQ(reports(), 0);
    writeEntry("outside.desktop");
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(reports(), 0);
    writeEntry("outside.desktop", "[Desktop Entry]\nExec=ls\n"); // same size, rewritten in place
    EXPECT_EQ(reports(), 1);
    writeEntry("notes.txt", "x"); // no entry
    EXPECT_EQ(reports(), 0);
    QFile::remove(folder_ + "/outside.desktop");
    EXPECT_EQ(reports(), 1);
    // Without a check, the folder watch delivers through the event loop.
    writeEntry("watched.desktop");
    EXPECT_TRUE(processEventsUntil([&] { return calls == 4; }));
}

TEST_F(LoginItemListTest, ObservationsEndWithTheirOwnersEvenAfterTheListUnderSanitizer)
{
    int first = 0, second = 0, selfCalls = 0;
    auto keep = list_.addObserver([&] { ++first; });
    list_.addObserver([&] { ++second; }).reset();
    // An observer may end its own observation while it is being told.
    std::unique_ptr<platform::LoginItemList::Observation> self = list_.addObserver([&] {
        ++selfCalls;
        self.reset();
    });
    for (const char* name : {"one.desktop", "two.desktop"}) {
        writeEntry(name);
        list_.checkForChanges();
    }
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(selfCalls, 1);
    // Ending an observation after its list is gone touches nothing freed: the sanitizer checks.
    std::unique_ptr<platform::LoginItemList::Observation> orphan;
    {
        platform::XdgLoginItemList shortLived(folder_, plists_);
        orphan = shortLived.addObserver([] {});
    }
    orphan.reset();
}
