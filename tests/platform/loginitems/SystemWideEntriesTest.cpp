#include "platform/loginitems/FileURL.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"
#include "PlatformTest.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Item = platform::LoginItemList::Item;

// The platform is there for the log.
class SystemWideEntriesTest : public test::PlatformTest {
protected:
    void write(const QString& folder, const QString& name, const QByteArray& text)
    {
        QDir().mkpath(folder);
        ASSERT_TRUE(test::writeFile(folder + '/' + name, text));
    }
    QStringList names() const { return names(list_); }
    static QStringList names(const platform::XdgLoginItemList& list)
    {
        QStringList result;
        for (const auto& item : list.copySnapshot().value_or(std::vector<platform::LoginItemList::Item>{}))
            result << item.displayName;
        return result;
    }
    platform::LibplistSerialization plists_;
    QString base_ = test::makeTemporaryFolder("system-wide");
    QString user_ = base_ + "/config/autostart";
    QString first_ = base_ + "/etc/xdg/autostart";
    QString second_ = base_ + "/usr/etc/autostart";
    platform::XdgLoginItemList list_{user_, {first_, second_}, plists_, {"ubuntu", "GNOME"}};
};

// Every file of a folder with its contents.
QStringList contents(const QString& folder)
{
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files << name + '\n' + test::readFile(folder + '/' + name);
    return files;
}

} // namespace

TEST_F(SystemWideEntriesTest, TheUserFolderWinsAndRemovingASystemEntryHidesItThere)
{
    write(first_, "applet.desktop", "[Desktop Entry]\nName=Applet\nExec=sh\n");
    write(second_, "applet.desktop", "[Desktop Entry]\nName=Shadowed\nExec=sh\n");
    write(first_, "indexer.desktop", "[Desktop Entry]\nName=Indexer\nExec=sh\n");
    write(second_, "keyring.desktop", "[Desktop Entry]\nName=Keyring\nExec=sh\n");
    write(first_, "off.desktop", "[Desktop Entry]\nName=Off\nExec=sh\nHidden=true\n");
    EXPECT_EQ(names(), QStringList({"Applet", "Indexer", "Keyring"})); // no folder of the user's yet
    write(user_, "indexer.desktop", "[Desktop Entry]\nName=My Indexer\nExec=sh\n");
    write(user_, "keyring.desktop", "[Desktop Entry]\nHidden=true\n");
    EXPECT_EQ(names(), QStringList({"Applet", "My Indexer"}));

    int changes = 0;
    auto observation = list_.addObserver([&] { ++changes; });
    const QByteArray systemText = test::readFile(first_ + "/applet.desktop");
    const auto items = *list_.copySnapshot();
    for (const auto& item : items)
        EXPECT_TRUE(list_.removeItem(item)) << qPrintable(item.identifier);
    EXPECT_EQ(names(), QStringList{});
    // The system's files stay as they were; the user's folder holds the deleted entries.
    EXPECT_EQ(test::readFile(first_ + "/applet.desktop"), systemText);
    EXPECT_EQ(QDir(first_).entryList(QDir::Files).size(), 3);
    for (const char* name : {"applet.desktop", "indexer.desktop"})
        EXPECT_TRUE(test::readFile(user_ + '/' + name).contains("\nHidden=true\n")) << name;

    // A system folder's own change reaches the observers too.
    list_.checkForChanges();
    changes = 0;
    write(second_, "new.desktop", "[Desktop Entry]\nName=New\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(names(), QStringList{"New"});
}

TEST(FileURLTest, PathsAndURLsCarryEveryByte)
{
    const QString invalidByte = QString(QChar(0xDC00 + 0xFF));
    for (const QString& path : {QString("/a b%20c/#?;=&+.txt"), QString("/Ünï 名前/\"q\"\n'$(x)'"),
                                "/raw" + invalidByte + "/x", QString("/")}) {
        const QUrl url = platform::fileURLFromPath(path);
        EXPECT_EQ(platform::pathFromFileURL(url), path) << qPrintable(url.toString());
        EXPECT_EQ(platform::pathFromFileURL(QUrl(url.toString(QUrl::FullyEncoded))), path);
    }
    EXPECT_EQ(platform::fileURLFromPath("/x/Demo.app", true).toString(), "file:///x/Demo.app/");
    for (const char* other : {"https://example.com/a", "file://host/share/a", "relative/a", ""})
        EXPECT_EQ(platform::pathFromFileURL(QUrl(other)), QString()) << other;
}

TEST_F(SystemWideEntriesTest, SystemEntriesAreListedAsTheDesktopsOwnToolsListThem)
{
    const QByteArray entry = "[Desktop Entry]\nType=Application\nExec=sh\nName=";
    write(first_, "a11y.desktop", entry + "Accessibility Bus\nNoDisplay=true\n");
    write(first_, "gnome.desktop", entry + "GNOME Only\nOnlyShowIn=GNOME;\n");
    write(first_, "kde.desktop", entry + "KDE Only\nOnlyShowIn=KDE;\n");
    write(first_, "not-ubuntu.desktop", entry + "Not Ubuntu\nNotShowIn=ubuntu;\n");
    write(second_, "try.desktop", entry + "Missing TryExec\nTryExec=/no/such/program\n");
    write(second_, "shown.desktop", entry + "Shown\nTryExec=sh\n");
    write(user_, "mine.desktop", entry + "Mine\nNoDisplay=true\n"); // the user's own choice
    EXPECT_EQ(names(), QStringList({"GNOME Only", "Mine", "Shown"}));
    // Without a declared desktop, entries for some desktops only are not started.
    EXPECT_EQ(names(platform::XdgLoginItemList(user_, {first_, second_}, plists_, {})),
              QStringList({"Mine", "Not Ubuntu", "Shown"}));
}

TEST_F(SystemWideEntriesTest, AUserFolderThatIsASystemFolderIsNeverWritten)
{
    const auto linkUserFolder = [&] { QDir().mkpath(base_ + "/config"); return QFile::link(first_, user_); };
    const auto linkConfigFolder = [&] {
        QDir().mkpath(first_);
        return QFile::link(base_ + "/etc/xdg", base_ + "/config");
    };
    for (const auto& link : {std::function<bool()>(linkUserFolder), std::function<bool()>(linkConfigFolder)}) {
        QDir(base_).removeRecursively();
        write(first_, "applet.desktop", "[Desktop Entry]\nName=Applet\nExec=sh\n");
        write(first_, "agent.desktop", "[Desktop Entry]\nName=Agent\nExec=sh\nNoDisplay=true\n");
        ASSERT_TRUE(link());
        // Its entries are the system's: its agents stay out of the list.
        EXPECT_EQ(names(), QStringList{"Applet"});
        const QStringList before = contents(first_);
        const QString document = base_ + "/notes.txt";
        ASSERT_TRUE(test::writeFile(document, "x"));
        EXPECT_FALSE(list_.insertItemURL(platform::fileURLFromPath(document)));
        for (const char* name : {"applet.desktop", "agent.desktop", "new.desktop"})
            EXPECT_FALSE(list_.removeItem(Item{name, {}, {}, {}})) << name;
        EXPECT_EQ(contents(first_), before);
        EXPECT_TRUE(platform.log().messages().contains(
            QString("Login items: %1 is the system's autostart folder %2; nothing is written there").arg(user_, first_)));
    }
}
