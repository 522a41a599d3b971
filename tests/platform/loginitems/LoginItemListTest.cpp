#include "platform/loginitems/DesktopEntry.h"
#include "platform/loginitems/ExecLine.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::DesktopEntry;
using platform::ExecLine;

namespace {

QStringList execArguments(const QByteArray& entryText)
{
    const std::optional<DesktopEntry> entry = DesktopEntry::parse(entryText);
    if (!entry)
        return {QStringLiteral("<no entry>")};
    return ExecLine::split(entry->value(QStringLiteral("Exec"))).value_or(QStringList{QStringLiteral("<open quote>")});
}

// An autostart folder of its own and a place for applications, per test.
class LoginItemListTest : public testing::Test {
protected:
    LoginItemListTest()
        : base_(test::makeTemporaryFolder(QStringLiteral("login")))
        , folder_(base_ + QStringLiteral("/autostart"))
        , list_(folder_, plists_)
    {
    }

    // An application bundle whose Info.plist names `executable` (nothing when empty) and,
    // when `makeExecutable`, a file of that name in Contents/MacOS.
    QString makeBundle(const QString& name, const QString& executable, bool makeExecutable = true,
                       QVariantMap info = {})
    {
        const QString path = base_ + QStringLiteral("/Applications/") + name;
        QDir().mkpath(path + QStringLiteral("/Contents/MacOS"));
        info.insert(QStringLiteral("CFBundleIdentifier"), QStringLiteral("com.example.demo"));
        if (!executable.isEmpty())
            info.insert(QStringLiteral("CFBundleExecutable"), executable);
        plists_.writeToFile(info, path + QStringLiteral("/Contents/Info.plist"));
        if (makeExecutable && !executable.isEmpty() && !executable.contains(QLatin1Char('/')))
            writeFile(path + QStringLiteral("/Contents/MacOS/") + executable, "#!/bin/sh\n", true);
        return path;
    }

    static void writeFile(const QString& path, const QByteArray& contents, bool executable = false)
    {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(test::writeFile(path, contents)) << qPrintable(path);
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }

    // A desktop file written by another program.
    void writeEntry(const QString& fileName, const QByteArray& contents)
    {
        writeFile(folder_ + QLatin1Char('/') + fileName, contents);
    }

    QByteArray entryText(const platform::LoginItemList::Item& item) const
    {
        return test::readFile(folder_ + QLatin1Char('/') + item.identifier);
    }

    std::vector<platform::LoginItemList::Item> snapshot() const
    {
        auto items = list_.copySnapshot();
        EXPECT_TRUE(items);
        return items ? *items : std::vector<platform::LoginItemList::Item>{};
    }

    QStringList paths() const
    {
        QStringList result;
        for (const auto& item : snapshot())
            result << item.path;
        return result;
    }

    std::optional<platform::LoginItemList::Item> insert(const QString& path)
    {
        return list_.insertItemURL(QUrl::fromLocalFile(path));
    }

    platform::LibplistSerialization plists_;
    QString base_;
    QString folder_;
    platform::XdgLoginItemList list_;
};

} // namespace

TEST_F(LoginItemListTest, AddsAnApplicationOnceAndStartsItsExecutable)
{
    const QString bundle = makeBundle(QStringLiteral("Demo.app"), QStringLiteral("DemoBinary"), true,
                                      {{QStringLiteral("CFBundleIconFile"), QStringLiteral("AppIcon")}});
    writeFile(bundle + QStringLiteral("/Contents/Resources/AppIcon.icns"), "icns");
    const auto item = insert(bundle);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->displayName, QStringLiteral("Demo"));
    EXPECT_EQ(item->path, bundle);
    EXPECT_EQ(item->iconPath, bundle + QStringLiteral("/Contents/Resources/AppIcon.icns"));
    EXPECT_EQ(execArguments(entryText(*item)), QStringList{bundle + QStringLiteral("/Contents/MacOS/DemoBinary")});

    // Asking again, also through a URL with a trailing slash, gives the same item.
    const auto again = list_.insertItemURL(QUrl::fromLocalFile(bundle + QLatin1Char('/')));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->identifier, item->identifier);
    EXPECT_EQ(paths(), QStringList{bundle});
    EXPECT_EQ(QDir(folder_).entryList(QDir::Files).size(), 1);

    const auto url = list_.resolveItem(*item);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->toString(), QUrl::fromLocalFile(bundle).toString() + QLatin1Char('/'));
}

TEST_F(LoginItemListTest, WhatAnItemRunsDependsOnWhatItIs)
{
    // The execute bit alone makes no program: FAT, NTFS and exFAT drives give it to every file.
    const auto file = [&](const char* name, const QByteArray& contents, bool executable) {
        const QString path = base_ + QLatin1Char('/') + QLatin1String(name);
        writeFile(path, contents, executable);
        return path;
    };
    const QString document = file("notes.txt", "#!/bin/sh\n", false);
    const QString markedDocument = file("report.txt", "text", true);
    const QString emptyMarked = file("empty", "", true);
    const QString binary = file("tool", QByteArray("\x7f" "ELF\x02\x01\x01\0", 8), true);
    const QString script = file("start.sh", "#!/bin/sh\n", true);
    const QString fifo = base_ + QStringLiteral("/pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0700), 0);
    const QString folder = base_ + QStringLiteral("/Plain Folder");
    QDir().mkpath(folder);
    // A bundle's layout without the ".app" name is a plain folder.
    const QString notBundle = makeBundle(QStringLiteral("Looks Like A Bundle"), QStringLiteral("Run"));
    const QString noExecutable = makeBundle(QStringLiteral("Empty.app"), QString());
    const QString missingExecutable = makeBundle(QStringLiteral("Missing.app"), QStringLiteral("Gone"), false);
    const QString escaping = makeBundle(QStringLiteral("Escape.app"), QStringLiteral("../../../../bin/sh"));
    // An icon name that leaves Contents/Resources is no icon of the bundle.
    const QString badIcon = makeBundle(QStringLiteral("BadIcon.app"), QStringLiteral("Bad"), true,
                                       {{QStringLiteral("CFBundleIconFile"), QStringLiteral("../../../../notes.txt")}});
    QDir().mkpath(badIcon + QStringLiteral("/Contents/Resources"));

    const auto open = [](const QString& path) { return QStringList{QStringLiteral("xdg-open"), path}; };
    const std::pair<QString, QStringList> cases[] = {
        {document, open(document)},
        {markedDocument, open(markedDocument)},
        {emptyMarked, open(emptyMarked)},
        {binary, QStringList{binary}},
        {script, QStringList{script}},
        {fifo, open(fifo)},
        {folder, open(folder)},
        {notBundle, open(notBundle)},
        {noExecutable, open(noExecutable)},
        {missingExecutable, open(missingExecutable)},
        // An executable name that leaves Contents/MacOS is no executable of the bundle.
        {escaping, open(escaping)},
        {badIcon, QStringList{badIcon + QStringLiteral("/Contents/MacOS/Bad")}},
    };
    for (const auto& [path, expected] : cases) {
        const auto item = insert(path);
        ASSERT_TRUE(item) << qPrintable(path);
        EXPECT_EQ(execArguments(entryText(*item)), expected) << qPrintable(path);
        EXPECT_TRUE(item->iconPath.isEmpty()) << qPrintable(item->iconPath);
    }
    EXPECT_EQ(snapshot().size(), std::size(cases));
}

TEST_F(LoginItemListTest, HostilePathsStayTheirArguments)
{
    const QString names[] = {
        QStringLiteral("Quote\"d"),
        QStringLiteral("It's mine"),
        QStringLiteral("$(touch pwned-dollar)"),
        QStringLiteral("`touch pwned-backquote`"),
        QStringLiteral("New\nline\nExec=touch pwned-line"),
        QStringLiteral("100% \\back\\slash\\ %U %%f"),
        QStringLiteral("Ünïcödé 名前 ; & | < >"),
        QStringLiteral("  blanks\tand tab  "),
        QStringLiteral("-rf"),
    };
    for (const QString& name : names) {
        // Each name as an application bundle and its executable, and as a document.
        const QString bundle = makeBundle(name + QStringLiteral(".app"), name);
        const QString document = base_ + QStringLiteral("/Documents/") + name + QStringLiteral(".txt");
        writeFile(document, "text");
        const std::pair<QString, QStringList> cases[] = {
            {bundle, {bundle + QStringLiteral("/Contents/MacOS/") + name}},
            {document, {QStringLiteral("xdg-open"), document}},
        };
        for (const auto& [path, expected] : cases) {
            const auto item = insert(path);
            ASSERT_TRUE(item) << qPrintable(path);
            EXPECT_EQ(item->path, path);

            const QByteArray text = entryText(*item);
            // Nothing in the name turned into a line of its own.
            EXPECT_EQ(text.count('\n'), 6) << text.constData();
            EXPECT_EQ(execArguments(text), expected) << text.constData();

            // A shell given the same line (with "%%" undone, as launchers do) sees the same
            // words and runs nothing in them.
            QString line = DesktopEntry::parse(text)->value(QStringLiteral("Exec"));
            line.replace(QStringLiteral("%%"), QStringLiteral("%"));
            QProcess shell;
            shell.setWorkingDirectory(base_);
            shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("eval \"set -- $1\"; printf '%s\\0' \"$@\""),
                                                    QStringLiteral("sh"), line});
            ASSERT_TRUE(shell.waitForFinished(10000));
            EXPECT_EQ(shell.readAllStandardOutput(), expected.join(QChar(0)).toUtf8() + '\0');
        }
    }
    EXPECT_TRUE(QDir(base_).entryList({QStringLiteral("pwned*")}).isEmpty());
    EXPECT_EQ(snapshot().size(), 2 * std::size(names));
}

TEST_F(LoginItemListTest, EntriesOfOtherProgramsAreItemsUnlessHidden)
{
    writeEntry(QStringLiteral("b-applet.desktop"),
               "[Desktop Entry]\nType=Application\nName=Applet\\sTwo\nExec=sh -c \"echo hi\" %U\n"
               "Icon=/usr/share/icons/applet.png\n");
    writeEntry(QStringLiteral("a-absolute.desktop"), "[Desktop Entry]\nExec=\"/opt/My Tool/run\" --quiet\nIcon=tool\n");
    writeEntry(QStringLiteral("c-hidden.desktop"), "[Desktop Entry]\nName=Off\nExec=sh\nHidden=true\n");
    writeEntry(QStringLiteral("d-broken.desktop"), "Name=No group at all\n");
    writeEntry(QStringLiteral("e-notes.txt"), "[Desktop Entry]\nExec=sh\n");
    writeEntry(QStringLiteral(".f-dot.desktop"), "[Desktop Entry]\nExec=sh\n");
    writeEntry(QStringLiteral("g-huge.desktop"), "[Desktop Entry]\nExec=sh\n#" + QByteArray(300 * 1024, 'x') + "\n");
    // A FIFO with the right name must not hold up the listing.
    ASSERT_EQ(mkfifo(QFile::encodeName(folder_ + QStringLiteral("/h-fifo.desktop")).constData(), 0600), 0);
    QDir().mkpath(folder_ + QStringLiteral("/i-folder.desktop"));

    const auto items = snapshot();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].identifier, QStringLiteral("a-absolute.desktop"));
    EXPECT_EQ(items[0].displayName, QStringLiteral("a-absolute"));
    EXPECT_EQ(items[0].path, QStringLiteral("/opt/My Tool/run"));
    EXPECT_TRUE(items[0].iconPath.isEmpty());
    EXPECT_EQ(items[1].displayName, QStringLiteral("Applet Two"));
    EXPECT_EQ(items[1].path, QStandardPaths::findExecutable(QStringLiteral("sh")));
    EXPECT_EQ(items[1].iconPath, QStringLiteral("/usr/share/icons/applet.png"));

    // The program on PATH exists; the one in /opt does not.
    EXPECT_TRUE(list_.resolveItem(items[1]));
    EXPECT_FALSE(list_.resolveItem(items[0]));
}

TEST_F(LoginItemListTest, RemovingTakesOnlyThatItemAndAddedItemsKeepTheirOrderAfterTheOthers)
{
    QStringList bundles;
    std::vector<platform::LoginItemList::Item> items;
    for (const char* name : {"Zeta", "Alpha", "Mid", "Last"}) {
        bundles << makeBundle(QLatin1String(name) + QStringLiteral(".app"), QLatin1String(name));
        if (bundles.size() < 4)
            items.push_back(insert(bundles.last()).value());
    }
    EXPECT_EQ(paths(), bundles.mid(0, 3));

    EXPECT_TRUE(list_.removeItem(items[1]));
    EXPECT_FALSE(list_.removeItem(items[1]));
    ASSERT_TRUE(insert(bundles[3]));
    writeEntry(QStringLiteral("zz-other.desktop"), "[Desktop Entry]\nExec=/bin/other\n");
    EXPECT_EQ(paths(), QStringList({QStringLiteral("/bin/other"), bundles[0], bundles[2], bundles[3]}));

    // An identifier that names something outside the folder removes nothing.
    const QString outside = base_ + QStringLiteral("/keep.desktop");
    writeFile(outside, "[Desktop Entry]\nExec=sh\n");
    for (const QString& identifier : {QStringLiteral("../keep.desktop"), QStringLiteral(".."), QString(),
                                      QStringLiteral("autostart")}) {
        platform::LoginItemList::Item hostile;
        hostile.identifier = identifier;
        EXPECT_FALSE(list_.removeItem(hostile)) << qPrintable(identifier);
    }
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(QDir(folder_).exists());
}

TEST_F(LoginItemListTest, ResolvingFailsForGoneTargetsAndGoneItems)
{
    const QString blanks = base_ + QStringLiteral("/a b%20c.txt");
    writeFile(blanks, "x");
    const QString doomed = makeBundle(QStringLiteral("Doomed.app"), QStringLiteral("Doomed"));
    const auto kept = insert(blanks);
    const auto deleted = insert(doomed);
    ASSERT_TRUE(kept && deleted);

    ASSERT_TRUE(QDir(doomed).removeRecursively());
    EXPECT_FALSE(list_.resolveItem(*deleted));
    // Still an item: the list shows what it holds, the resolving leaves it out.
    EXPECT_EQ(snapshot().size(), 2u);

    const auto url = list_.resolveItem(*kept);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->toLocalFile(), blanks);
    EXPECT_FALSE(url->toString().endsWith(QLatin1Char('/')));

    ASSERT_TRUE(list_.removeItem(*kept));
    EXPECT_FALSE(list_.resolveItem(*kept));
}

TEST_F(LoginItemListTest, RefusesWhatCannotBeAnItem)
{
    EXPECT_FALSE(insert(base_ + QStringLiteral("/missing.app")));
    EXPECT_FALSE(list_.insertItemURL(QUrl(QStringLiteral("https://example.com/App.app"))));
    EXPECT_FALSE(list_.insertItemURL(QUrl(QStringLiteral("relative/App.app"))));
    EXPECT_FALSE(list_.insertItemURL(QUrl()));
    // Nothing was written, and the folder is not even needed for that.
    EXPECT_FALSE(QDir(folder_).exists());
    EXPECT_TRUE(snapshot().empty());

    // A folder that cannot be read gives no list and takes no item.
    writeFile(folder_, "not a folder");
    EXPECT_FALSE(list_.copySnapshot());
    writeFile(base_ + QStringLiteral("/doc.txt"), "x");
    EXPECT_FALSE(insert(base_ + QStringLiteral("/doc.txt")));
}

TEST_F(LoginItemListTest, AnOutsideChangeIsReportedOnce)
{
    int calls = 0;
    auto observation = list_.addObserver([&] { ++calls; });
    const auto reports = [&] {
        const int before = calls;
        list_.checkForChanges();
        return calls - before;
    };
    EXPECT_EQ(reports(), 0);
    writeEntry(QStringLiteral("outside.desktop"), "[Desktop Entry]\nExec=sh\n");
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(reports(), 0);
    // A rewrite in place, with the same size, counts as a change too.
    writeEntry(QStringLiteral("outside.desktop"), "[Desktop Entry]\nExec=ls\n");
    EXPECT_EQ(reports(), 1);
    // Files that are no entries do not.
    writeEntry(QStringLiteral("notes.txt"), "x");
    EXPECT_EQ(reports(), 0);
    QFile::remove(folder_ + QStringLiteral("/outside.desktop"));
    EXPECT_EQ(reports(), 1);
}

TEST_F(LoginItemListTest, TheFolderWatchDeliversChangesThroughTheEventLoop)
{
    int calls = 0;
    auto observation = list_.addObserver([&] { ++calls; });
    ASSERT_TRUE(QDir(folder_).exists());

    writeEntry(QStringLiteral("outside.desktop"), "[Desktop Entry]\nExec=sh\n");
    EXPECT_TRUE(processEventsUntil([&] { return calls > 0; }));

    const int before = calls;
    const QString bundle = makeBundle(QStringLiteral("Mine.app"), QStringLiteral("Mine"));
    ASSERT_TRUE(insert(bundle));
    EXPECT_TRUE(processEventsUntil([&] { return calls > before; }));
}

TEST_F(LoginItemListTest, ObservationsEndWithTheirOwnersEvenAfterTheListUnderSanitizer)
{
    int first = 0;
    int second = 0;
    auto keep = list_.addObserver([&] { ++first; });
    {
        auto ended = list_.addObserver([&] { ++second; });
    }
    writeEntry(QStringLiteral("one.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);

    // An observer may end its own observation while it is being told.
    std::unique_ptr<platform::LoginItemList::Observation> self;
    int selfCalls = 0;
    self = list_.addObserver([&] {
        ++selfCalls;
        self.reset();
    });
    writeEntry(QStringLiteral("two.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    writeEntry(QStringLiteral("three.desktop"), "[Desktop Entry]\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(first, 3);

    // Ending an observation after its list is gone touches nothing freed: the sanitizer checks.
    std::unique_ptr<platform::LoginItemList::Observation> orphan;
    {
        platform::XdgLoginItemList shortLived(folder_, plists_);
        orphan = shortLived.addObserver([] {});
    }
    orphan.reset();
}
