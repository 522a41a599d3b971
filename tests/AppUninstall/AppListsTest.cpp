#include "AppUninstall/AMRelatedFilesViewController.h"
#include "AppUninstall/ApplicationsViewController.h"
#include "AppUninstall/UninstallProgressViewController.h"
#include "AppUninstall/UninstallViewController.h"

#include "AppUninstall/AMSearchField.h"
#include "AppUninstall/RelatedAppFilesScanner.h"
#include "AppUninstall/RelatedFilesOutlineView.h"
#include "AppUninstall/UninstallRules.h"

#include "controls/BgTableView.h"
#include "controls/TextImageButton.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "TestFiles.h"
#include "UiTestSupport.h"
#include "TestPlatform.h"
#include "WorkspaceFakes.h"

#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"

#include "platform/ui/Cell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class AppListsTest : public test::PlatformTest {
protected:
    void SetUp() override
    {
        workspace = test::install<test::FakeWorkspace>(platform->workspace);
        // Only the bundles each test makes: the simulated Mac's seeded ones go.
        const QStringList folders = platform->searchPaths->searchPathsForDirectory(
            platform::SearchPathDirectory::Applications, platform::SearchPathDomain::All, true);
        for (const QString& folder : folders)
            platform->fileManager->removeItemAtPath(folder);
    }

    // An application bundle in the simulated Mac's Applications folder, with `bytes` of data.
    QString makeBundle(const QString& name, const QString& identifier, int bytes = 0)
    {
        return test::makeBundle(platform->searchPaths->pathOnMac(QStringLiteral("/Applications/") + name + ".app"),
                                {{"CFBundleIdentifier", identifier}, {"CFBundleName", name}}, true,
                                {{"data", QByteArray(bytes, 'x')}});
    }
    void makeFixtures()
    {
        makeBundle("Zeta", "com.example.zeta", 3000);
        makeBundle("alpha", "com.example.alpha", 2000);
        makeBundle("Notes", "com.apple.Notes");
        makeBundle("Mail", "com.example.mail", 5000);
    }
    static QStringList names(const QList<AMAppItemPtr>& items)
    {
        QStringList result;
        for (const AMAppItemPtr& item : items)
            result << UninstallRules::displayName(item->name);
        return result;
    }
    // What the table does at a click: the delegate's selection answer, then the cell's action.
    static void click(TableView& table, int column, int row, bool select = true)
    {
        if (select)
            table.delegate()->tableView(table, row);
        if (Cell* cell = table.preparedCellAtColumn(column, row); cell && cell->action())
            cell->action()();
    }
    // Shows the view in a window of its size, drawn white, and keeps the picture.
    static QImage render(ViewController& controller, const QString& file)
    {
        View& view = *controller.view();
        Window window(view.frame(), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
        window.setBackgroundColor(Color::whiteColor());
        window.contentView()->addSubview(view);
        const QImage image = window.renderToImage();
        image.save(test::artifactPath(file));
        return image;
    }
    // The kit keeps the button's switch under the original's inverted name.
    static bool switchedOn(const TextImageButton& button) { return button.isDisabled(); }
    test::ManualDispatcher& dispatcher() { return platform.dispatcher(); }

    test::FakeWorkspace* workspace = nullptr;
};

} // namespace

TEST_F(AppListsTest, ApplicationsOpenTheRecordClickedWhateverTheListDoesLater)
{
    makeFixtures();
    workspace->setDesktopApplications({{QStringLiteral("Text Editor"), {}, QStringLiteral("/usr/share/applications/editor.desktop")}});
    ApplicationsViewController tab;
    tab.view();
    EXPECT_FALSE(tab.textField()->isEnabled());
    dispatcher().drainAll();
    EXPECT_TRUE(tab.textField()->isEnabled());
    // System applications too; upper-case initials first.
    ASSERT_EQ(names(tab.allApplications()), QStringList({"Mail", "Notes", "Text Editor", "Zeta", "alpha"}));
    render(tab, QStringLiteral("applications-tab.png"));

    struct Case {
        int row;
        const char* search; // typed between the click and the delay's end
        const char* operation;
    };
    // A desktop application starts as its link starts it.
    const Case cases[] = {{3, "", "openFile"}, {0, "no", "openFile"}, {4, "alpha", "openFile"},
                          {2, "", "launchApplication"}};
    for (const Case& c : cases) {
        tab.textField()->setStringValue(QString());
        tab.searchBarAction();
        const QString expected = tab.allApplications()[c.row]->path;
        const auto before = workspace->requests().size();
        tab.listTableView()->delegate()->tableView(*tab.listTableView(), c.row);
        tab.textField()->setStringValue(QString::fromLatin1(c.search));
        tab.searchBarAction();
        dispatcher().advance(ApplicationsViewController::kOpenDelay / 2);
        EXPECT_EQ(workspace->requests().size(), before);
        dispatcher().advance(ApplicationsViewController::kOpenDelay);
        ASSERT_EQ(workspace->requests().size(), before + 1);
        EXPECT_EQ(workspace->requests().back(), (test::FakeWorkspace::Request{c.operation, expected, {}}));
    }

    // "Open" launches its own row's record once, even after another row was selected.
    tab.textField()->setStringValue(QString());
    tab.searchBarAction();
    tab.listTableView()->delegate()->tableView(*tab.listTableView(), 0);
    const auto before = workspace->requests().size();
    click(*tab.listTableView(), 1, 3);
    dispatcher().advance(ApplicationsViewController::kOpenDelay * 2);
    EXPECT_EQ(workspace->requests().mid(before),
              QList<test::FakeWorkspace::Request>({{"launchApplication", tab.allApplications()[3]->path, {}}}));
}

TEST_F(AppListsTest, UninstallerTicksTheBoxOfItsOwnRowAndMeasuresOnTheMainThread)
{
    makeFixtures();
    UninstallViewController tab;
    tab.view();
    click(*tab.listViewTabel(), 0, 0, false);
    EXPECT_TRUE(tab.uninsatllAppArr().isEmpty()) << "no ticks while the scan runs";
    dispatcher().drainAll();
    ASSERT_EQ(tab.showListArr().size(), 3); // Notes is a system application

    // Row 0 selected, the box of row 2 clicked: row 2's record is ticked.
    tab.listViewTabel()->delegate()->tableView(*tab.listViewTabel(), 0);
    click(*tab.listViewTabel(), 0, 2, false);
    EXPECT_EQ(tab.uninsatllAppArr(), QList<AMAppItemPtr>({tab.showListArr()[2]}));
    EXPECT_EQ(tab.selectCountLabel()->stringValue(), QStringLiteral("Selected: 1 / 3 Items"));
    EXPECT_TRUE(switchedOn(*tab.uninstallButton()));

    // Sizes: measured on the background, written into the record on the main thread only.
    const AMAppItemPtr item = tab.showListArr()[2];
    const int sizeColumn = tab.listViewTabel()->columnWithIdentifier(QStringLiteral("Size"));
    tab.listViewTabel()->preparedCellAtColumn(sizeColumn, 2);
    EXPECT_TRUE(item->bIsGetSize);
    dispatcher().drainGlobal();
    EXPECT_EQ(item->size, QStringLiteral("0KB"));
    dispatcher().drainMain();
    EXPECT_EQ(item->size, RelatedAppFilesScanner::getFileSizeItem(item->path));
    EXPECT_NE(item->size, QStringLiteral("0KB"));
    render(tab, QStringLiteral("uninstaller-tab.png"));
}

TEST_F(AppListsTest, AClosedUninstallerDropsSizesStillBeingMeasured)
{
    makeFixtures();
    AMAppItemPtr item;
    {
        UninstallViewController tab;
        tab.view();
        dispatcher().drainAll();
        item = tab.showListArr()[0];
        tab.listViewTabel()->preparedCellAtColumn(tab.listViewTabel()->columnWithIdentifier(QStringLiteral("Size")), 0);
        dispatcher().drainGlobal();
    }
    dispatcher().drainAll();
    EXPECT_EQ(item->size, QStringLiteral("0KB"));
}

TEST_F(AppListsTest, AfterAnUninstallOnlyBundlesGoneFromDiskLeaveTheList)
{
    makeFixtures();
    UninstallViewController tab;
    tab.view();
    dispatcher().drainAll();
    tab.selectAllButtonAction();
    ASSERT_EQ(tab.uninsatllAppArr().size(), 3);
    struct Case {
        const char* name;
        bool removed;
    };
    const Case cases[] = {{"Mail", true}, {"Zeta", false}, {"alpha", true}};
    QStringList staying;
    for (const Case& c : cases) {
        const AMAppItemPtr item = *std::find_if(tab.showListArr().begin(), tab.showListArr().end(),
                                                [&](const AMAppItemPtr& i) { return UninstallRules::displayName(i->name) == QLatin1String(c.name); });
        if (c.removed)
            ASSERT_TRUE(QDir(item->path).removeRecursively());
        else
            staying << c.name;
    }
    tab.completeCleanRelatedFiles();
    EXPECT_EQ(names(tab.allApplications()), staying);
    EXPECT_EQ(names(tab.showListArr()), staying);
    EXPECT_TRUE(tab.uninsatllAppArr().isEmpty());
    EXPECT_EQ(tab.selectCountLabel()->stringValue(), QStringLiteral("Total: 1 Item"));
}

TEST_F(AppListsTest, RelatedFilesBoxesActOnTheirOwnRowAndTheProgressEndsWithTheResult)
{
    const QString mail = makeBundle("Mail", "com.example.mail", 4000);
    const QString zeta = makeBundle("Zeta", "com.example.zeta", 1000);
    AMRelatedFilesViewController window;
    window.setAllRelaltedFiles({RelatedAppFilesScanner::relatedFilesToApplicationAtPath(mail),
                                RelatedAppFilesScanner::relatedFilesToApplicationAtPath(zeta)});
    window.view();
    RelatedFilesOutlineView& outline = *window.outlineView();
    ASSERT_EQ(window.selectDeletePath().size(), 2);
    // The first group opens: rows are Mail, its record, Zeta.
    ASSERT_EQ(outline.numberOfRows(), 3);
    render(window, QStringLiteral("related-files-window.png"));

    outline.delegate()->shouldSelectItem(outline, outline.itemAtRow(0));
    click(outline, 0, 1, false); // Mail's own record, not the selected group
    EXPECT_EQ(window.selectCell(), outline.itemAtRow(1));
    EXPECT_FALSE(window.outlineView(outline, nullptr)) << "columns are never selected";
    EXPECT_EQ(window.selectDeletePath().size(), 1);
    EXPECT_EQ(window.selectDeletePath()[0]->path, zeta);
    click(outline, 0, 2, false); // the Zeta group: all ticked, so all unticked
    EXPECT_TRUE(window.selectDeletePath().isEmpty());
    EXPECT_FALSE(switchedOn(*window.uninstallButton()));

    UninstallProgressViewController progress;
    progress.changeProgressValue(50, mail);
    EXPECT_TRUE(progress.endView()->isHiddenOrHasHiddenAncestor());
    progress.changeLabel(QStringLiteral("4 KB"), 1);
    progress.changeProgressValue(100, zeta);
    EXPECT_FALSE(progress.endView()->isHiddenOrHasHiddenAncestor());
    EXPECT_TRUE(progress.messageLabel()->stringValue().endsWith(QLatin1String("4 KB disk space, 1 item could not be removed.")));
    render(progress, QStringLiteral("uninstall-progress-window.png"));
}

TEST_F(AppListsTest, RescanListsWhatIsOnDiskNowAndOneAppRemoveWaitsForTheScan)
{
    makeFixtures();
    UninstallViewController tab;
    tab.view();
    tab.oneAppRemove();
    EXPECT_FALSE(tab.isUninsatllOne()) << "ignored while the scan runs";
    dispatcher().drainAll();
    tab.oneAppRemove();
    EXPECT_TRUE(tab.isUninsatllOne());
    tab.uninstallAppButtonAction();
    EXPECT_FALSE(tab.isUninsatllOne());

    tab.selectAllButtonAction();
    ASSERT_TRUE(QDir(makeBundle("Mail", "com.example.mail")).removeRecursively());
    makeBundle("Kilo", "com.example.kilo");
    tab.refButtonAction();
    // The count is set before the records come back through the main queue.
    EXPECT_TRUE(tab.showListArr().isEmpty());
    EXPECT_TRUE(tab.uninsatllAppArr().isEmpty());
    EXPECT_EQ(tab.selectCountLabel()->stringValue(), QStringLiteral("Total: 0 Item"));
    dispatcher().drainAll();
    QStringList listed = names(tab.allApplications());
    listed.sort();
    EXPECT_EQ(listed, QStringList({"Kilo", "Zeta", "alpha"}));
    EXPECT_EQ(names(tab.showListArr()), names(tab.allApplications()));
}

TEST_F(AppListsTest, TheRelatedFilesOfAnotherInstalledApplicationAreNotListed)
{
    makeBundle("Foo", "com.example.foo");
    makeBundle("Foo Pro", "com.example.foo.pro");
    makeBundle("Foo Helper", "com.apple.foohelper"); // a system application owns its files too
    const QString library = platform->searchPaths->homeDirectory() + "/Library/";
    for (const char* path : {"Preferences/com.example.foo.plist", "Preferences/com.example.foo.pro.plist",
                             "Application Support/Foo Helper", "Application Support/Foo"})
        ASSERT_TRUE(QDir().mkpath(library + path));
    UninstallViewController tab;
    tab.view();
    dispatcher().drainAll();
    ASSERT_EQ(names(tab.showListArr()), QStringList({"Foo", "Foo Pro"}));
    click(*tab.listViewTabel(), 0, 0, false);
    QTimer::singleShot(0, qApp, [&tab] { tab.amVC()->clickedCancelBtn(); }); // once the window is up
    tab.uninstallAppButtonAction();
    ASSERT_EQ(tab.amVC()->allRelaltedFiles().size(), 1u);
    QStringList listed;
    for (const AMAppItemPtr& item : tab.amVC()->allRelaltedFiles().front())
        listed << QString(item->path).remove(library);
    EXPECT_EQ(listed.mid(1), QStringList({"Preferences/com.example.foo.plist", "Application Support/Foo"}));
}
