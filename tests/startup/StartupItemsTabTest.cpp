#include "startup/StartupItemsViewController.h"

#include "LoginItemsFixture.h"
#include "UiTestSupport.h"

#include "controls/StartUpItemBgTableView.h"

#include "platform/folders/SearchPaths.h"
#include "platform/loginitems/FileURL.h"

#include "platform/ui/Cell.h"
#include "platform/ui/OpenPanel.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class StartupItemsTabTest : public LoginItemsFixture {
protected:
    StartupItemsTabTest()
    {
        previousChooser_ = OpenPanel::setChooser([this](const OpenPanel& panel) {
            shownPanel = {panel.prompt(), panel.canChooseFiles(), panel.canChooseDirectories(),
                          panel.allowsMultipleSelection(), panel.directoryURL()};
            return answer;
        });
        window.setBackgroundColor(Color::whiteColor());
        window.contentView()->addSubview(*tab.view());
    }
    ~StartupItemsTabTest() override { OpenPanel::setChooser(previousChooser_); }

    QStringList rows()
    {
        tab.updateLoginItemsList();
        dispatcher().drainAll();
        QStringList paths;
        for (const ASLoginStartItemPtr& item : tab.allItems())
            paths << item->path();
        return paths;
    }
    void add(const QString& path)
    {
        answer = QList<QUrl>{platform::fileURLFromPath(path, QFileInfo(path).isDir())};
        tab.addButtonAction();
        dispatcher().drainAll();
    }
    // A click on a row's name selects it; then the Remove link of `row` is clicked.
    void clickRemove(int row, int selectedRow)
    {
        StartUpItemBgTableView& table = *tab.listTableView();
        uitest::Mouse(window).click({100, 494.0 - 44 * selectedRow});
        ASSERT_EQ(table.selectedRow(), selectedRow);
        Cell* cell = table.preparedCellAtColumn(1, row);
        ASSERT_TRUE(cell && cell->action());
        cell->action()();
        dispatcher().drainAll();
    }

    struct Shown {
        QString prompt;
        bool files = false, folders = false, multiple = true;
        QUrl start;
        bool operator==(const Shown&) const = default;
    };
    std::optional<QList<QUrl>> answer;
    std::optional<Shown> shownPanel;
    StartupItemsViewController tab;
    Window window{tab.view()->frame(), WindowStyleMaskBorderless, BackingStoreType::Buffered, false};

private:
    OpenPanel::Chooser previousChooser_;
};

} // namespace

TEST_F(StartupItemsTabTest, AddsRemovesTheClickedRowAndFollowsOutsideChanges)
{
    const QString bundle = makeBundle("Demo");
    add(bundle);
    const QString applications = platform->searchPaths->searchPathsForDirectory(
        platform::SearchPathDirectory::Applications, platform::SearchPathDomain::User, true).last();
    EXPECT_EQ(shownPanel, (Shown{"add", true, true, false, platform::fileURLFromPath(applications, true)}));
    // A bundle is listed by its path, without the folder URL's trailing "/".
    EXPECT_EQ(rows(), QStringList{bundle});
    EXPECT_EQ(tab.allItems()[0]->name(), "Demo");

    // Another program's entry appears through the list's watch, without asking for a refresh,
    // and editing in the key window ends.
    Window editing{Rect(0, 0, 200, 60), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    auto* field = editing.contentView()->addSubview(std::make_unique<TextField>(Rect(10, 10, 180, 24)));
    field->setEditable(true);
    editing.makeKeyAndOrderFront();
    ASSERT_TRUE(editing.makeFirstResponder(field));
    const QString tool = test::placeFile(base + "/bin/tool", "x", true);
    writeEntry(autostart, "other.desktop", '"' + tool + "\" --quiet");
    list_->checkForChanges();
    EXPECT_NE(editing.firstResponder(), field);
    dispatcher().drainAll();
    ASSERT_EQ(QStringList({tool, bundle}), [&] {
        QStringList paths;
        for (const auto& item : tab.allItems())
            paths << item->path();
        return paths;
    }());

    // The link of the second row removes the second row's item, whatever row is selected.
    clickRemove(1, 0);
    EXPECT_EQ(rows(), QStringList{tool});
    clickRemove(0, 0);
    EXPECT_EQ(rows(), QStringList{});
    EXPECT_FALSE(QFile::exists(autostart + "/other.desktop"));

    // Cancelling the panel, or choosing nothing that exists, changes nothing.
    const int updates = tab.updateCount();
    for (const std::optional<QList<QUrl>>& choice :
         {std::optional<QList<QUrl>>{}, std::optional(QList<QUrl>{QUrl::fromLocalFile(base + "/gone.app")})}) {
        answer = choice;
        tab.addButtonAction();
        dispatcher().drainAll();
    }
    EXPECT_EQ(tab.updateCount(), updates);
    EXPECT_TRUE(QDir(autostart).entryList(QDir::Files).isEmpty());
}

TEST_F(StartupItemsTabTest, RefreshesNeverOverlapAndNothingReachesAGoneControllerUnderSanitizer)
{
    add(makeBundle("Demo"));
    tab.updateLoginItemsList();
    EXPECT_EQ(dispatcher().drainGlobal(), 1);
    // A change after the running refresh looked: the request is kept, not run beside it.
    writeEntry(autostart, "later.desktop", "sh");
    tab.updateLoginItemsList();
    EXPECT_TRUE(tab.isScan());
    EXPECT_EQ(dispatcher().drainGlobal(), 0);
    dispatcher().drainMain();
    EXPECT_TRUE(tab.isScan());
    dispatcher().drainAll();
    EXPECT_FALSE(tab.isScan());
    EXPECT_EQ(tab.allItems().size(), 2u);

    // A refresh under way and a list change after the controller has gone reach nothing.
    auto gone = std::make_unique<StartupItemsViewController>();
    gone->view();
    gone->updateLoginItemsList();
    gone.reset();
    writeEntry(autostart, "late.desktop", "sh");
    list_->checkForChanges();
    tab.updateLoginItemsList();
    // Each refresh looks and hands over its result (the tab's second request follows its first);
    // the gone one's result is dropped.
    EXPECT_EQ(dispatcher().drainAll(), 6);
}

TEST_F(StartupItemsTabTest, RowsLeaveOutWhatCannotBeResolvedAndShowEachPathOnce)
{
    const QString tool = test::placeFile(base + "/bin/tool", "x", true);
    writeEntry(autostart, "a-gone.desktop", base + "/bin/gone");
    test::placeFile(autostart + "/b-tool.desktop", "[Desktop Entry]\nType=Application\nName=Sync Daemon\nExec=" + tool.toUtf8());
    writeEntry(autostart, "c-tool-again.desktop", '"' + tool + "\" --again");
    // Hostile and long names, as applications added here.
    const QString hostile = makeBundle("Quote\"d 100% $(x) `y`\nline Ü " + QString(200, 'n'));
    QString deep = base;
    for (const char letter : {'a', 'b', 'c', 'd'})
        deep += '/' + QString(240, letter);
    deep = test::placeFile(deep + "/a%20b #?.txt");
    add(hostile);
    add(deep);
    EXPECT_EQ(rows(), QStringList({tool, hostile, deep}));
    // Another program's entry shows its own name and icon, not those the workspace gives its
    // program; an item added for a path, the workspace's of that path.
    const platform::WorkspaceIcon entryIcon{{}, "sync", {}};
    workspace->setIcon(autostart + "/b-tool.desktop", entryIcon);
    EXPECT_EQ(LoginItemRows::collect(*list_, *workspace)->front().icon, entryIcon);
    EXPECT_EQ(tab.allItems()[0]->name(), "Sync Daemon");
    EXPECT_EQ(tab.allItems()[2]->name(), "a%20b #?.txt");

    // The row below the unresolvable item removes its own item: the first one for its path.
    clickRemove(0, 1);
    EXPECT_FALSE(QFile::exists(autostart + "/b-tool.desktop"));
    EXPECT_TRUE(QFile::exists(autostart + "/a-gone.desktop"));
    for (const QString& path : {tool, hostile, deep})
        workspace->setIcon(path, {platform.resourcePath("AppIcon.svg"), {}, {}});
    EXPECT_EQ(rows(), QStringList({tool, hostile, deep}));

    const QImage image = window.renderToImage();
    image.save(test::artifactPath("startup-items-tab.png"));
    // The pale card of the first row, under the table's top.
    EXPECT_TRUE(uitest::near(uitest::at(image, 300, 495), QColor(245, 246, 250)));
}
