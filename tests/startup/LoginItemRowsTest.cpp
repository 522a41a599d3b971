#include "LoginItemRows.h"

#include "LoginItemsFixture.h"

#include "platform/loginitems/FileURL.h"

#include <gtest/gtest.h>

using Row = LoginItemRows::Row;

namespace {

class LoginItemRowsTest : public LoginItemsFixture {
protected:
    void writeNamed(const QString& name, const QByteArray& keys)
    {
        makeFile(autostart + '/' + name, "[Desktop Entry]\nType=Application\n" + keys + '\n');
    }
    std::vector<Row> rows() { return LoginItemRows::collect(*list_, *workspace).value(); }
};

// The environment of the messages locale, put back afterwards.
class MessagesLocale {
public:
    explicit MessagesLocale(const QByteArray& locale)
    {
        for (const char* name : {"LANGUAGE", "LC_ALL"}) {
            saved_.push_back({name, qgetenv(name)});
            qputenv(name, locale);
        }
    }
    ~MessagesLocale()
    {
        for (const auto& [name, value] : saved_)
            value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    }

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

} // namespace

TEST_F(LoginItemRowsTest, AnEntryOfAnotherProgramShowsItsOwnNameAndIconAndAnAddedPathItsOwn)
{
    const QString daemon = makeFile(base + "/bin/syncd"), clock = makeFile(base + "/bin/xclock");
    QFile::link(base + "/bin", base + "/X11"); // the same clock by another path
    writeNamed("a-sync.desktop", "Name=Sync Daemon\nName[de]=Synchronisierung\nIcon=sync\nExec=" + daemon.toUtf8());
    writeNamed("b-analog.desktop", "Name=Analog Clock\nExec=" + clock.toUtf8());
    writeNamed("c-digital.desktop", "Name=Digital Clock\nExec=" + base.toUtf8() + "/X11/xclock -digital");
    writeNamed("d-nameless.desktop", "Exec=" + clock.toUtf8() + " -again"); // the clock's row is there already
    writeNamed("e-nameless.desktop", "Exec=" + daemon.toUtf8() + "-helper");
    makeFile(daemon + "-helper");
    const QString bundle = makeBundle("Demo");
    ASSERT_TRUE(list_->insertItemURL(platform::fileURLFromPath(bundle, true)));
    const platform::WorkspaceIcon entryIcon{{}, "sync", {}}, bundleIcon{bundle + "/icon.png", {}, {}};
    workspace->setIcon(autostart + "/a-sync.desktop", entryIcon);
    workspace->setIcon(bundle, bundleIcon);
    // The workspace would name the programs after themselves ("syncd", "xclock").
    const std::vector<Row> found = rows();
    QStringList names;
    for (const Row& row : found)
        names << row.name;
    EXPECT_EQ(names, QStringList({"Sync Daemon", "Analog Clock", "Digital Clock", "e-nameless", "Demo"}));
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0].icon, entryIcon);
    EXPECT_EQ(found[4].icon, bundleIcon);
    EXPECT_EQ(found[4].path, bundle);
    {
        const MessagesLocale german("de_DE.UTF-8");
        EXPECT_EQ(rows().front().name, "Synchronisierung");
    }
}
