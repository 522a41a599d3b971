#include "StartMenuFixture.h"
#include "UiTestSupport.h"

#include "FirstRunLoginItem.h"
#include "IsolatedEnvironment.h"
#include "HostedTools.h"
#include "MainViewController.h"
#include "RoundedImageView.h"

#include "ApplicationsViewController.h"
#include "CleanUpViewController.h"
#include "DiskManagerViewController.h"
#include "HMTrafficButtonsContainer.h"
#include "HightActionViewController.h"
#include "LightViewController.h"
#include "QuickVisitViewController.h"
#include "SoundViewController.h"
#include "StartupItemsViewController.h"
#include "TabBarView.h"
#include "TaskManagerViewController.h"
#include "UninstallViewController.h"

#include "PublicUtilities.h"

#include "platform/folders/SearchPaths.h"
#include "platform/simulated/SimulatedMac.h"

#include "platform/ui/Button.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TextField.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <atomic>
#include <thread>

using namespace platform::ui;

namespace {

class RecordingShell : public MainViewControllerDelegate {
public:
    void closeMainWindow() override { calls << QStringLiteral("closeMainWindow"); }
    void miniWindowAction() override { calls << QStringLiteral("miniWindowAction"); }
    void changeSelectTypeWithIdStr(const QString& idStr) override { calls << idStr; }
    QStringList calls;
};

class MainViewControllerTest : public StartMenuFixture {
protected:
    std::unique_ptr<MainViewController> load()
    {
        auto controller = std::make_unique<MainViewController>();
        controller->setDelegate(&shell_);
        controller->view();
        return controller;
    }

    // What a tool button shows: its colour's alpha, its font and whether it carries the marker.
    struct Look {
        double alpha;
        QString font;
        bool marked;
    };
    static Look look(const Button& button)
    {
        const AttributedString::Attributes a = button.attributedTitle().attributesAtIndex(0);
        return {a.foregroundColor ? a.foregroundColor->alphaComponent() : -1,
                a.font ? a.font->fontName() : QString(), button.image().name() == QLatin1String("tab")};
    }

    void expectOnlyMarked(const MainViewController& controller, int chosen)
    {
        const QString regular = PublicUtilities::getRegularFontName();
        const QString light = PublicUtilities::getLightFontName();
        for (int i = 0; i < int(kHostedTools.size()); ++i) {
            const Look l = look(*controller.typeButtons()[std::size_t(i)]);
            const bool isChosen = i == chosen;
            EXPECT_EQ(l.marked, isChosen) << kHostedTools[std::size_t(i)].identifier;
            EXPECT_NEAR(l.alpha, isChosen ? 1.0 : 0.8, 0.001) << kHostedTools[std::size_t(i)].identifier;
            EXPECT_EQ(l.font, isChosen ? regular : light);
        }
    }

    QString bundleOnMac()
    {
        return platform_->searchPaths->pathOnMac(QStringLiteral("/Applications/Tavrin.app"));
    }

    RecordingShell shell_;
};

QByteArray pngOfSize(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TEST_F(MainViewControllerTest, EachToolsPageAndButtonSitAtItsPlaceInTheTable)
{
    auto controller = load();
    TabView& tabs = *controller->tab();
    ASSERT_EQ(tabs.numberOfTabViewItems(), int(kHostedTools.size()));
    ViewController* const tools[] = {controller->applicationVC(), controller->taskManagerVC(), controller->cleanupVC(),
                                     controller->uninstallVC(),   controller->switchVC(),      controller->startupItemsVC(),
                                     controller->diskManagerVC(), controller->quickVisitVC()};
    for (std::size_t i = 0; i < kHostedTools.size(); ++i) {
        EXPECT_EQ(tabs.tabViewItemAtIndex(int(i))->identifier(), QLatin1String(kHostedTools[i].identifier));
        EXPECT_EQ(tabs.tabViewItemAtIndex(int(i))->view(), tools[i]->view()) << kHostedTools[i].identifier;
        EXPECT_EQ(controller->typeButtons()[i]->identifier(), QLatin1String(kHostedTools[i].identifier));
    }
    expectOnlyMarked(*controller, -1); // loading marks no tool; the shell chooses one
}

TEST_F(MainViewControllerTest, ExactlyOneToolButtonIsMarkedAfterEverySwitch)
{
    auto controller = load();
    for (const char* identifier : {"TaskManager", "Cleanup", "Cleanup", "QuickVisit", "Applications",
                                   "AppUininstaller", "SwitchManager", "StartupItems", "DiskManager"}) {
        controller->changeTabWithidStr(QString::fromLatin1(identifier));
        const int chosen = indexOfHostedTool(QString::fromLatin1(identifier));
        expectOnlyMarked(*controller, chosen);
        EXPECT_EQ(controller->tab()->selectedTabViewItem()->identifier(), QString::fromLatin1(identifier));
    }
    // An identifier of no tool marks no button and leaves the page shown.
    for (const char* unknown : {"taskmanager", "", "Disk Manager"}) {
        controller->changeTabWithidStr(QString::fromLatin1(unknown));
        expectOnlyMarked(*controller, -1);
        EXPECT_EQ(controller->tab()->selectedTabViewItem()->identifier(), QStringLiteral("DiskManager"));
    }
}

TEST_F(MainViewControllerTest, AClickedToolIsShownAndReportedToTheShell)
{
    auto controller = load();
    controller->typeButtons()[2]->performClick();
    EXPECT_EQ(controller->tab()->selectedTabViewItem()->identifier(), QStringLiteral("Cleanup"));
    expectOnlyMarked(*controller, 2);
    controller->tabView()->clickMinimizeButton(*controller->tabView()->minButton());
    EXPECT_EQ(shell_.calls, (QStringList{QStringLiteral("Cleanup"), QStringLiteral("miniWindowAction")}));
    controller->closeWindowAction();
    EXPECT_EQ(shell_.calls.last(), QStringLiteral("closeMainWindow"));
}

TEST_F(MainViewControllerTest, StartupItemsAreListedAfreshEachTimeTheyAreShown)
{
    auto controller = load();
    EXPECT_EQ(controller->startupItemsVC()->updateCount(), 0);
    controller->changeTabWithidStr(QStringLiteral("StartupItems"));
    controller->changeTabWithidStr(QStringLiteral("StartupItems"));
    controller->changeTabWithidStr(QStringLiteral("Cleanup"));
    EXPECT_EQ(controller->startupItemsVC()->updateCount(), 2);
}

TEST_F(MainViewControllerTest, DiskBuildsFromTheBackgroundAndTheMainThreadNeverOverlap)
{
    auto controller = load();
    DiskManagerViewController& disk = *controller->diskManagerVC();
    ASSERT_GE(platform_.dispatcher().pendingGlobal(), 1u); // the first build's request, not run yet
    controller->changeTabWithidStr(QStringLiteral("DiskManager")); // no boxes yet: a build starts here
    EXPECT_TRUE(disk.isBuildingView());
    platform_.dispatcher().drainGlobal(); // the background request meets the build under way...
    EXPECT_EQ(disk.completedBuilds(), 0);
    platform_.dispatcher().drainAll(); // ...and is served once it has ended, one after the other
    EXPECT_EQ(disk.completedBuilds(), 2);
    EXPECT_FALSE(disk.isBuildingView());
}

TEST_F(MainViewControllerTest, DiskBuildsAskedFromManyThreadsRunOneAtATime)
{
    DiskManagerViewController disk;
    std::atomic<bool> go{false};
    std::thread other([&] {
        while (!go.load()) {
        }
        for (int i = 0; i < 200; ++i)
            disk.createView();
    });
    go = true;
    for (int i = 0; i < 200; ++i)
        disk.createView();
    other.join();
    // However many asked, one build was under way at a time and one more was kept: at most two.
    platform_.dispatcher().drainAll();
    EXPECT_GE(disk.completedBuilds(), 1);
    EXPECT_LE(disk.completedBuilds(), 2);
    EXPECT_FALSE(disk.isBuildingView());
}

TEST_F(MainViewControllerTest, ToolsAndTheirPendingWorkEndWithTheView)
{
    auto controller = load();
    controller->changeTabWithidStr(QStringLiteral("DiskManager"));
    WeakRef<ViewController> tools[] = {controller->applicationVC(), controller->taskManagerVC(),
                                       controller->cleanupVC(),     controller->uninstallVC(),
                                       controller->switchVC(),      controller->startupItemsVC(),
                                       controller->diskManagerVC(), controller->quickVisitVC()};
    controller.reset();
    for (const auto& tool : tools)
        EXPECT_EQ(tool.get(), nullptr);
    // The background request and the build's later steps find nothing to call.
    platform_.dispatcher().drainAll();
    EXPECT_EQ(platform_.dispatcher().pendingMain() + platform_.dispatcher().pendingGlobal(), 0u);
}

TEST_F(MainViewControllerTest, ThePowerMenuOffersShutDownSleepAndRestartAndTheButtonShutsDown)
{
    auto controller = load();
    QStringList titles;
    QStringList images;
    int choice = 1;
    MenuDriver driver([&](Menu& menu) {
        titles.clear();
        images.clear();
        for (int i = 0; i < menu.numberOfItems(); ++i) {
            titles << menu.itemAtIndex(i)->title();
            images << menu.itemAtIndex(i)->image().name();
            EXPECT_TRUE(menu.isItemShownEnabled(*menu.itemAtIndex(i)));
        }
        menu.performActionForItemAtIndex(choice);
    });
    controller->menuToolsButtonAction();
    choice = 2;
    controller->menuToolsButtonAction();
    choice = 0;
    controller->menuToolsButtonAction();
    controller->ShutdownBut()->performClick(); // the power button itself shuts down at once
    EXPECT_EQ(driver.popUps, 3);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Shut Down"), QStringLiteral("Sleep"), QStringLiteral("Restart")}));
    EXPECT_EQ(images, (QStringList{QStringLiteral("ic_shutdown"), QStringLiteral("ic_sleep"), QStringLiteral("ic_restart")}));
    EXPECT_EQ(scriptSources(), (QStringList{QStringLiteral("tell application \"Finder\" to sleep"),
                                            QStringLiteral("tell application \"Finder\" to restart"),
                                            QStringLiteral("tell application \"Finder\" to shut down"),
                                            QStringLiteral("tell application \"Finder\" to shut down")}));
}

TEST_F(MainViewControllerTest, AFailingPowerScriptIsLoggedAndNothingElse)
{
    auto controller = load();
    scripts_->failWith({{QStringLiteral("NSAppleScriptErrorNumber"), -1743}});
    const qsizetype before = platform_.log().messages().size();
    controller->ShutdownBut()->performClick();
    const QStringList logged = platform_.log().messages().mid(before);
    EXPECT_EQ(logged.filter(QStringLiteral("-1743")).size(), 1);
    EXPECT_EQ(scriptSources().size(), 1); // tried once, not again
}

TEST_F(MainViewControllerTest, TheLoginItemIsAddedOnTheFirstRunOnlyAndOnlyWhenTheBundleIsThere)
{
    // First run without the bundle: nothing added, the run is remembered all the same.
    load();
    EXPECT_TRUE(loginItems_->insertedUrls.isEmpty());
    ASSERT_TRUE(QDir().mkpath(bundleOnMac()));
    load();
    EXPECT_TRUE(loginItems_->insertedUrls.isEmpty());

    // A first run with the bundle in place adds it, once.
    QFile::remove(platform_->simulatedMac->dataFolder() + QStringLiteral("/first-run-done"));
    load();
    load();
    EXPECT_EQ(loginItems_->insertedUrls, QList<QUrl>{QUrl::fromLocalFile(bundleOnMac())});
}

TEST_F(MainViewControllerTest, TheFirstRunMarkerThatCannotBeWrittenAsksAgain)
{
    const QString blocked = test::makeTemporaryFolder(QStringLiteral("marker"));
    ASSERT_TRUE(test::writeFile(blocked + QStringLiteral("/data"), "a file where the folder should be"));
    FirstRunMarker marker(blocked + QStringLiteral("/data"));
    EXPECT_FALSE(marker.set());
    EXPECT_FALSE(marker.isSet());
    ASSERT_TRUE(QDir().mkpath(bundleOnMac()));
    EXPECT_TRUE(addLoginItemOnFirstRun(marker, *loginItems_, bundleOnMac()));
    EXPECT_TRUE(addLoginItemOnFirstRun(marker, *loginItems_, bundleOnMac())); // the list keeps one item
    EXPECT_EQ(loginItems_->items.size(), 1u);
    EXPECT_FALSE(addLoginItemOnFirstRun(marker, *loginItems_, QString()));
}

TEST_F(MainViewControllerTest, OnAMacMiniTheBrightnessButtonIsOff)
{
    kernel_->setText("hw.model", "Macmini8,1");
    auto mini = load();
    EXPECT_FALSE(mini->lightBut()->isEnabled());
    EXPECT_EQ(mini->lightBut()->toolTip(), QStringLiteral("Sorry, Mac mini can't adjust brightness."));

    AboutThisMacViewController::discardSharedInstance();
    kernel_->setText("hw.model", "MacBookPro15,1");
    auto laptop = load();
    EXPECT_TRUE(laptop->lightBut()->isEnabled());
    EXPECT_EQ(laptop->lightBut()->toolTip(), QString());
}

TEST_F(MainViewControllerTest, TheUsersPictureAndName)
{
    identity_->name = QStringLiteral("grace");
    identity_->data = pngOfSize(64);
    auto controller = load();
    EXPECT_EQ(controller->nameLabel()->stringValue(), QStringLiteral("grace"));
    EXPECT_EQ(controller->userIcon()->image().size(), (Size{64, 64}));

    identity_->data = "not a picture";
    EXPECT_TRUE(load()->userIcon()->image().isNull());
}

TEST_F(MainViewControllerTest, ThePictureAndTheDesktopButtonOpenTheirPreferencePanes)
{
    auto controller = load();
    controller->userInfoBut()->performClick();
    controller->userLabeBut()->performClick();
    controller->desktopBgBut()->performClick();
    const QString accounts = QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane");
    EXPECT_EQ(workspace_->requests(),
              (QList<test::FakeWorkspace::Request>{
                  {QStringLiteral("openFile"), accounts, {}},
                  {QStringLiteral("openFile"), accounts, {}},
                  {QStringLiteral("openFile"), QStringLiteral("/System/Library/PreferencePanes/DesktopScreenEffectsPref.prefPane"), {}}}));
}

TEST_F(MainViewControllerTest, TheVolumePaneIsKeptAndTheBrightnessPaneMadeAnew)
{
    auto controller = load();
    QList<View*> shown;
    MenuDriver driver([&](Menu& menu) {
        ASSERT_EQ(menu.numberOfItems(), 1);
        shown << menu.itemAtIndex(0)->view();
    });
    controller->openSoundView();
    SoundViewController* sound = controller->soundVC();
    controller->openSoundView();
    EXPECT_EQ(controller->soundVC(), sound);
    EXPECT_EQ(sound->loadCount(), 2);
    EXPECT_EQ(sound->delegate(), controller.get());

    controller->openLightView();
    WeakRef<LightViewController> firstLight(controller->lightVC());
    controller->openLightView();
    EXPECT_EQ(firstLight.get(), nullptr);
    EXPECT_EQ(controller->lightVC()->loadCount(), 1); // after its menu closed
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0], sound->view());
    EXPECT_EQ(shown[1], sound->view());
    EXPECT_EQ(shown[3], controller->lightVC()->view());
}

TEST_F(MainViewControllerTest, PanesAndThePowerMenuOpenVisibleWhereTheViewPlacesThem)
{
    auto controller = load();
    auto window = uitest::makeWindow(Rect(100, 50, 640, 560));
    window->contentView()->addSubview(*controller->view());
    window->orderFront();
    controller->setSuperDelegate(window.get());
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    const struct {
        const char* name;
        void (MainViewController::*open)();
        QPoint itemOnScreen; // from the screen's bottom left
    } cases[] = {{"volume", &MainViewController::openSoundView, {160, 272}},
                 {"brightness", &MainViewController::openLightView, {122, 272}},
                 {"power", &MainViewController::menuToolsButtonAction, {230, 98}}};
    for (const auto& c : cases) {
        QPoint placed;
        QSize firstItem;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(shown, nullptr);
            const QRect item = shown->actionGeometry(shown->actions().at(0));
            placed = shown->pos() + item.topLeft();
            firstItem = item.size();
            shown->close();
        });
        (controller.get()->*c.open)();
        EXPECT_EQ(placed, QPoint(c.itemOnScreen.x(), screenHeight - c.itemOnScreen.y())) << c.name;
        // A pane too small to see leaves an unseen menu that takes the next click.
        EXPECT_GE(firstItem.width(), 40) << c.name;
        EXPECT_GE(firstItem.height(), 16) << c.name;
    }
}

TEST_F(MainViewControllerTest, ARoundPictureIsCutToTheInscribedCircle)
{
    auto controller = load();
    controller->drawCircleImage(uitest::redSquare(10));
    const QImage round = controller->userIcon()->image().toQImage();
    ASSERT_EQ(round.size(), QSize(72, 72));
    EXPECT_EQ(round.pixelColor(36, 36), QColor(255, 0, 0));
    EXPECT_EQ(round.pixelColor(1, 1).alpha(), 0); // the corners are cut away
    EXPECT_EQ(round.pixelColor(70, 70).alpha(), 0);
}
