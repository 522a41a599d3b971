#include "platform/loginitems/FileURL.h"
#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class SystemWideEntriesTest : public testing::Test {
protected:
    void write(const QString& folder, const QString& name, const QByteArray& text)
    {
        QDir().mkpath(folder);
        ASSERT_TRUE(test::writeFile(folder + '/' + name, text));
    }
    QStringList names() const
    {
        QStringList result;
        for (const auto& item : list_.copySnapshot().value_or(std::vector<platform::LoginItemList::Item>{}))
            result << item.displayName;
        return result;
    }
    platform::LibplistSerialization plists_;
    QString base_ = test::makeTemporaryFolder("system-wide");
    QString user_ = base_ + "/config/autostart";
    QString first_ = base_ + "/etc/xdg/autostart";
    QString second_ = base_ + "/usr/etc/autostart";
    platform::XdgLoginItemList list_{user_, {first_, second_}, plists_};
};

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
