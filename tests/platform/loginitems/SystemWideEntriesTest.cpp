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
    // Listed as the desktops' own tools list them: not the system's agents, not what this
    // desktop would not start.
    write(first_, "a11y.desktop", "[Desktop Entry]\nName=Bus Launcher\nExec=sh\nNoDisplay=true\n");
    write(first_, "gnome.desktop", "[Desktop Entry]\nName=GNOME Only\nExec=sh\nOnlyShowIn=GNOME;\n");
    write(second_, "try.desktop", "[Desktop Entry]\nName=Missing\nExec=sh\nTryExec=/no/such/program\n");
    EXPECT_EQ(names(), QStringList({"Applet", "GNOME Only", "Indexer", "Keyring"})); // no folder of the user's yet
    EXPECT_EQ(names(platform::XdgLoginItemList(user_, {first_, second_}, plists_, {})),
              QStringList({"Applet", "Indexer", "Keyring"}));
    write(user_, "indexer.desktop", "[Desktop Entry]\nName=My Indexer\nExec=sh\n");
    write(user_, "keyring.desktop", "[Desktop Entry]\nHidden=true\n");
    EXPECT_EQ(names(), QStringList({"Applet", "GNOME Only", "My Indexer"}));

    int changes = 0;
    auto observation = list_.addObserver([&] { ++changes; });
    const QStringList systemFiles = contents(first_);
    const auto items = *list_.copySnapshot();
    for (const auto& item : items)
        EXPECT_TRUE(list_.removeItem(item)) << qPrintable(item.identifier);
    EXPECT_EQ(names(), QStringList{});
    // The system's files stay as they were; the user's folder holds the deleted entries.
    EXPECT_EQ(contents(first_), systemFiles);
    for (const char* name : {"applet.desktop", "gnome.desktop", "indexer.desktop"})
        EXPECT_TRUE(test::readFile(user_ + '/' + name).contains("\nHidden=true\n")) << name;

    // A system folder's own change reaches the observers too.
    list_.checkForChanges();
    changes = 0;
    write(second_, "new.desktop", "[Desktop Entry]\nName=New\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(names(), QStringList{"New"});
}

TEST_F(SystemWideEntriesTest, AUserFolderThatIsASystemFolderIsNeverWritten)
{
    const QString document = base_ + "/notes.txt";
    // The autostart folder a link to the system's, or the whole configuration folder.
    for (const auto& [target, link] : {std::pair(first_, user_), std::pair(base_ + "/etc/xdg", base_ + "/config")}) {
        QDir(base_).removeRecursively();
        write(first_, "applet.desktop", "[Desktop Entry]\nName=Applet\nExec=sh\n");
        write(first_, "agent.desktop", "[Desktop Entry]\nName=Agent\nExec=sh\nNoDisplay=true\n");
        ASSERT_TRUE(QDir().mkpath(QFileInfo(link).path()) && QFile::link(target, link));
        ASSERT_TRUE(test::writeFile(document, "x"));
        EXPECT_EQ(names(), QStringList{"Applet"}); // its entries are the system's
        const QStringList before = contents(first_);
        EXPECT_FALSE(list_.insertItemURL(platform::fileURLFromPath(document)));
        for (const char* name : {"applet.desktop", "agent.desktop"})
            EXPECT_FALSE(list_.removeItem(Item{name, {}, {}, {}})) << name;
        EXPECT_EQ(contents(first_), before);
        EXPECT_TRUE(platform.log().messages().contains(
            QString("Login items: %1 is the system's autostart folder %2; nothing is written there").arg(user_, first_)));
    }
}
