#include "StartMenuFixture.h"
#include "UiTestSupport.h"

#include "MainView/FirstRunLoginItem.h"
#include "PopWindow/HMTrafficButtonsContainer.h"
#include "MainView/HostedTools.h"
#include "IsolatedEnvironment.h"
#include "switchmanager/LightViewController.h"
#include "switchmanager/MasterVolume.h"
#include "MainView/RoundedImageView.h"
#include "switchmanager/Slider.h"
#include "switchmanager/SoundViewController.h"
#include "PopWindow/TabBarView.h"

#include "platform/folders/SearchPaths.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/ui/Button.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TextField.h"

#include <QBuffer>
#include <QDir>
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
    // Only the button of `chosen` (-1: none) carries the marker, and the page of `shown` is up.
    static void expectChosen(MainViewController& controller, int chosen, const char* shown)
    {
        for (std::size_t i = 0; i < kHostedTools.size(); ++i)
            EXPECT_EQ(controller.typeButtons()[i]->image().name() == QLatin1String("tab"), int(i) == chosen)
                << kHostedTools[i].identifier;
        EXPECT_EQ(controller.tab()->selectedTabViewItem()->identifier(), QLatin1String(shown));
    }
    QString bundleOnMac() { return platform_->searchPaths->pathOnMac(QStringLiteral("/Applications/Tavrin.app")); }

    RecordingShell shell_;
};

} // namespace

TEST_F(MainViewControllerTest, EachToolsPageAndButtonSitAtItsPlaceAndExactlyOneIsMarkedAfterEverySwitch)
{
    auto controller = load();
    TabView& tabs = *controller->tab();
    ASSERT_EQ(tabs.numberOfTabViewItems(), int(kHostedTools.size()));
    for (std::size_t i = 0; i < kHostedTools.size(); ++i) {
        EXPECT_EQ(tabs.tabViewItemAtIndex(int(i))->identifier(), QLatin1String(kHostedTools[i].identifier));
        EXPECT_EQ(tabs.tabViewItemAtIndex(int(i))->view(), tools(*controller)[i]->view()) << kHostedTools[i].identifier;
        EXPECT_EQ(controller->typeButtons()[i]->identifier(), QLatin1String(kHostedTools[i].identifier));
    }
    expectChosen(*controller, -1, kHostedTools[0].identifier); // the shell chooses one
    for (const char* identifier : {"TaskManager", "Cleanup", "Cleanup", "QuickVisit", "Applications",
                                   "AppUininstaller", "SwitchManager", "StartupItems", "DiskManager"}) {
        controller->changeTabWithidStr(QString::fromLatin1(identifier));
        expectChosen(*controller, indexOfHostedTool(QString::fromLatin1(identifier)), identifier);
    }
    // An identifier of no tool marks no button and leaves the page shown.
    for (const char* unknown : {"taskmanager", "", "Disk Manager"}) {
        controller->changeTabWithidStr(QString::fromLatin1(unknown));
        expectChosen(*controller, -1, "DiskManager");
    }
}

TEST_F(MainViewControllerTest, AClickedToolIsShownAndReportedToTheShell)
{
    auto controller = load();
    controller->typeButtons()[2]->performClick();
    expectChosen(*controller, 2, "Cleanup");
    controller->tabView()->clickMinimizeButton(*controller->tabView()->minButton());
    controller->closeWindowAction();
    EXPECT_EQ(shell_.calls, (QStringList{QStringLiteral("Cleanup"), QStringLiteral("miniWindowAction"),
                                         QStringLiteral("closeMainWindow")}));
}

TEST_F(MainViewControllerTest, StartupItemsAreListedAfreshEachTimeTheyAreShown)
{
    auto controller = load();
    for (const char* identifier : {"StartupItems", "StartupItems", "Cleanup"})
        controller->changeTabWithidStr(QString::fromLatin1(identifier));
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
    const auto ask = [&] {
        while (!go.load()) {
        }
        for (int i = 0; i < 200; ++i)
            disk.createView();
    };
    std::thread other(ask);
    go = true;
    ask();
    other.join();
    // One build under way at a time and one more kept: at most two.
    platform_.dispatcher().drainAll();
    EXPECT_GE(disk.completedBuilds(), 1);
    EXPECT_LE(disk.completedBuilds(), 2);
    EXPECT_FALSE(disk.isBuildingView());
}

TEST_F(MainViewControllerTest, ToolsAndTheirPendingWorkEndWithTheView)
{
    auto controller = load();
    controller->changeTabWithidStr(QStringLiteral("DiskManager"));
    const auto all = tools(*controller);
    std::vector<WeakRef<ViewController>> weak(all.begin(), all.end());
    controller.reset();
    for (const auto& tool : weak)
        EXPECT_EQ(tool.get(), nullptr);
    // The background request and the build's later steps find nothing to call.
    platform_.dispatcher().drainAll();
    EXPECT_EQ(platform_.dispatcher().pendingMain() + platform_.dispatcher().pendingGlobal(), 0u);
}

TEST_F(MainViewControllerTest, ThePowerMenuOffersShutDownSleepAndRestartAndTheButtonShutsDown)
{
    auto controller = load();
    QStringList titles;
    int choice = 1;
    MenuDriver driver([&](Menu& menu) {
        titles.clear();
        for (int i = 0; i < menu.numberOfItems(); ++i) {
            titles << menu.itemAtIndex(i)->title();
            EXPECT_TRUE(menu.isItemShownEnabled(*menu.itemAtIndex(i)));
        }
        menu.performActionForItemAtIndex(choice);
    });
    for (const int item : {1, 2, 0}) {
        choice = item;
        controller->menuToolsButtonAction();
    }
    controller->ShutdownBut()->performClick(); // the power button itself shuts down at once
    EXPECT_EQ(driver.popUps, 3);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Shut Down"), QStringLiteral("Sleep"), QStringLiteral("Restart")}));
    const QString finder = QStringLiteral("tell application \"Finder\" to ");
    EXPECT_EQ(scriptSources(), (QStringList{finder + QStringLiteral("sleep"), finder + QStringLiteral("restart"),
                                            finder + QStringLiteral("shut down"), finder + QStringLiteral("shut down")}));
}

TEST_F(MainViewControllerTest, AFailingPowerScriptIsLoggedAndNotTriedAgain)
{
    auto controller = load();
    scripts_->failWith({{QStringLiteral("NSAppleScriptErrorNumber"), -1743}});
    const qsizetype before = platform_.log().messages().size();
    controller->ShutdownBut()->performClick();
    EXPECT_EQ(platform_.log().messages().mid(before).filter(QStringLiteral("-1743")).size(), 1);
    EXPECT_EQ(scriptSources().size(), 1);
}

TEST_F(MainViewControllerTest, TheLoginItemIsAddedOnTheFirstRunOnlyAndOnlyWhenTheBundleIsThere)
{
    // First run without the bundle: nothing added, the run is remembered all the same.
    load();
    ASSERT_TRUE(QDir().mkpath(bundleOnMac()));
    load();
    EXPECT_TRUE(loginItems_->insertedUrls.isEmpty());
    QFile::remove(platform_->simulatedMac->dataFolder() + QStringLiteral("/first-run-done"));
    load();
    load();
    EXPECT_EQ(loginItems_->insertedUrls, QList<QUrl>{QUrl::fromLocalFile(bundleOnMac())});
}

TEST_F(MainViewControllerTest, TheFirstRunMarkerThatCannotBeWrittenAsksAgain)
{
    const QString blocked = test::makeTemporaryFolder(QStringLiteral("marker")) + QStringLiteral("/data");
    ASSERT_TRUE(test::writeFile(blocked, "a file where the folder should be"));
    FirstRunMarker marker(blocked);
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
    for (const auto& [model, enabled] : {std::pair{"Macmini8,1", false}, std::pair{"MacBookPro15,1", true}}) {
        AboutThisMacViewController::discardSharedInstance();
        kernel_->setText("hw.model", model);
        auto controller = load();
        EXPECT_EQ(controller->lightBut()->isEnabled(), enabled) << model;
        EXPECT_EQ(controller->lightBut()->toolTip(),
                  enabled ? QString() : QStringLiteral("Sorry, Mac mini can't adjust brightness."));
    }
}

TEST_F(MainViewControllerTest, TheUsersPictureAndName)
{
    QImage square(64, 64, QImage::Format_ARGB32);
    square.fill(Qt::red);
    QBuffer png(&identity_->data);
    png.open(QIODevice::WriteOnly);
    square.save(&png, "PNG");
    identity_->name = QStringLiteral("grace");
    auto controller = load();
    EXPECT_EQ(controller->nameLabel()->stringValue(), QStringLiteral("grace"));
    EXPECT_EQ(controller->userIcon()->image().size(), (Size{64, 64}));

    identity_->data = "not a picture";
    EXPECT_TRUE(load()->userIcon()->image().isNull());
}

TEST_F(MainViewControllerTest, TheVolumePaneIsKeptAndTheBrightnessPaneMadeAnew)
{
    auto controller = load();
    QList<View*> shown;
    MenuDriver driver([&](Menu& menu) {
        ASSERT_EQ(menu.numberOfItems(), 1);
        shown << menu.itemAtIndex(0)->view();
        LightViewController::set_brightness(float(shown.size()) / 10); // while the pop-up is up
    });
    controller->openSoundView();
    SoundViewController* sound = controller->soundVC();
    setMasterVolume(0.25); // read again at the next opening
    controller->openSoundView();
    EXPECT_EQ(controller->soundVC(), sound);
    EXPECT_EQ(sound->mySoundSlider()->doubleValue(), 25);
    EXPECT_EQ(sound->delegate(), controller.get());

    controller->openLightView();
    WeakRef<LightViewController> firstLight(controller->lightVC());
    controller->openLightView();
    EXPECT_EQ(firstLight.get(), nullptr);
    EXPECT_FLOAT_EQ(controller->lightVC()->mySlider()->floatValue(), 0.4f); // read after its menu closed
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown.mid(0, 2), (QList<View*>{sound->view(), sound->view()}));
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
        QRect item;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(shown, nullptr);
            item = shown->actionGeometry(shown->actions().at(0)).translated(shown->pos());
            shown->close();
        });
        (controller.get()->*c.open)();
        EXPECT_EQ(item.topLeft(), QPoint(c.itemOnScreen.x(), screenHeight - c.itemOnScreen.y())) << c.name;
        // A pane too small to see leaves an unseen menu that takes the next click.
        EXPECT_GE(item.width(), 40) << c.name;
        EXPECT_GE(item.height(), 16) << c.name;
    }
}
