#include "platform/loginitems/FileURL.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"
#include "PlatformTest.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Item = platform::LoginItemList::Item;

// The platform is there for the log.
class SystemWideEntriesTest : public test::PlatformTest {
protected:
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
    test::placeFile(first_ + "/applet.desktop", "[Desktop Entry]\nName=Applet\nExec=sh\n");
    test::placeFile(second_ + "/applet.desktop", "[Desktop Entry]\nName=Shadowed\nExec=sh\n");
    test::placeFile(first_ + "/indexer.desktop", "[Desktop Entry]\nName=Indexer\nExec=sh\n");
    test::placeFile(second_ + "/keyring.desktop", "[Desktop Entry]\nName=Keyring\nExec=sh\n");
    test::placeFile(first_ + "/off.desktop", "[Desktop Entry]\nName=Off\nExec=sh\nHidden=true\n");
    // Listed as the desktops' own tools list them: not the system's agents, not what this
    // desktop would not start.
    test::placeFile(first_ + "/a11y.desktop", "[Desktop Entry]\nName=Bus Launcher\nExec=sh\nNoDisplay=true\n");
    test::placeFile(first_ + "/gnome.desktop", "[Desktop Entry]\nName=GNOME Only\nExec=sh\nOnlyShowIn=GNOME;\n");
    test::placeFile(second_ + "/try.desktop", "[Desktop Entry]\nName=Missing\nExec=sh\nTryExec=/no/such/program\n");
    EXPECT_EQ(names(), QStringList({"Applet", "GNOME Only", "Indexer", "Keyring"})); // no folder of the user's yet
    EXPECT_EQ(names(platform::XdgLoginItemList(user_, {first_, second_}, plists_, {})),
              QStringList({"Applet", "Indexer", "Keyring"}));
    test::placeFile(user_ + "/indexer.desktop", "[Desktop Entry]\nName=My Indexer\nExec=sh\n");
    test::placeFile(user_ + "/keyring.desktop", "[Desktop Entry]\nHidden=true\n");
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
    test::placeFile(second_ + "/new.desktop", "[Desktop Entry]\nName=New\nExec=sh\n");
    list_.checkForChanges();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(names(), QStringList{"New"});
}

TEST_F(SystemWideEntriesTest, AUserFolderThatIsOrLiesInASystemFolderIsNeverWritten)
{
    const QString document = base_ + "/notes.txt", config = base_ + "/etc/xdg";
    const struct {
        QString user, linkedFrom, linkedTo;
        bool systemAutostart; // whether the system's autostart folder is there
        QString refusedFor;
    } cases[] = {
        {user_, user_, first_, true, first_},
        {user_, base_ + "/config", config, true, first_},
        {user_, user_, config, true, config},
        // The configuration folder a link to the system's, which has no autostart folder yet.
        {user_, base_ + "/config", config, false, config},
        // The same path, as when XDG_CONFIG_HOME is one of XDG_CONFIG_DIRS.
        {first_, {}, {}, true, first_},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.linkedFrom + " -> " + c.linkedTo));
        QDir(base_).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(config) && test::writeFile(document, "x"));
        if (c.systemAutostart) {
            test::placeFile(first_ + "/applet.desktop", "[Desktop Entry]\nName=Applet\nExec=sh\n");
            test::placeFile(first_ + "/agent.desktop", "[Desktop Entry]\nName=Agent\nExec=sh\nNoDisplay=true\n");
        }
        ASSERT_TRUE(c.linkedFrom.isEmpty() || (QDir().mkpath(QFileInfo(c.linkedFrom).path()) && QFile::link(c.linkedTo, c.linkedFrom)));
        platform::XdgLoginItemList list(c.user, {first_, second_}, plists_, {});
        EXPECT_EQ(names(list), c.systemAutostart ? QStringList{"Applet"} : QStringList{}); // the entries are the system's
        const QStringList before = contents(first_) + contents(config);
        const auto observation = list.addObserver([] {});
        EXPECT_FALSE(list.insertItemURL(platform::fileURLFromPath(document)));
        for (const char* name : {"applet.desktop", "agent.desktop"})
            EXPECT_FALSE(list.removeItem(Item{name, {}, {}, {}})) << name;
        EXPECT_EQ(contents(first_) + contents(config), before);
        EXPECT_EQ(QFileInfo::exists(first_), c.systemAutostart);
        EXPECT_TRUE(platform.log().messages().contains(
            QString("Login items: %1 is or lies in the system's folder %2; nothing is written there").arg(c.user, c.refusedFor)));
    }
}
