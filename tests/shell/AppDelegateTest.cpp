#include "../MainView/StartMenuFixture.h"
#include "UiTestSupport.h"

#include "AppDelegate.h"
#include "MainMenu.h"
#include "PopWindowController.h"
#include "StatusItemToggle.h"

#include "ApplicationsViewController.h"
#include "CleanUpViewController.h"
#include "DiskManagerViewController.h"
#include "HMTrafficButtonsContainer.h"
#include "HightActionViewController.h"
#include "QuickVisitViewController.h"
#include "StartupItemsViewController.h"
#include "TaskManagerViewController.h"
#include "UninstallViewController.h"
#include "HostedTools.h"
#include "MainViewController.h"
#include "StatusAttachedWindow.h"
#include "TabBarView.h"

#include "IsolatedEnvironment.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/TabView.h"

#include <QApplication>
#include <QPalette>

using namespace platform::ui;
using platform::NotificationCenter;

namespace {

class AppDelegateTest : public StartMenuFixture {
protected:
    AppDelegateTest() { NSApp().setDelegate(&delegate()); }
    ~AppDelegateTest() override { NSApp().setDelegate(nullptr); }

    AppDelegate& delegate() { return mainInterface_.appDelegate(); }
    void launch() { delegate().applicationDidFinishLaunching({}); }
    Window& window() { return *delegate().mainAttachedWindow(); }
    MainViewController& controller() { return *delegate().mainWC(); }
    QString shownTool() { return controller().tab()->selectedTabViewItem()->identifier(); }
    void clickStatusItem() { delegate().aStatusItem()->performClick(); }
    void closeWithTheLight()
    {
        TabBarView& bar = *controller().tabView();
        bar.clickCloseButton(*bar.closeButton());
    }
    int marked()
    {
        int count = 0;
        for (Button* button : controller().typeButtons())
            count += button->image().name() == QLatin1String("tab");
        return count;
    }

    MainMenu mainInterface_;
};

} // namespace

TEST_F(AppDelegateTest, TheFirstBuildShowsTaskManagerAndTheStatusItem)
{
    EXPECT_FALSE(delegate().isOpenMainWindow());
    launch();
    ASSERT_TRUE(delegate().isOpenMainWindow());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isKeyWindow());
    EXPECT_EQ(controller().superDelegate(), &window());
    EXPECT_EQ(delegate().typeIdStr(), QStringLiteral("TaskManager"));
    EXPECT_EQ(shownTool(), QStringLiteral("TaskManager"));
    EXPECT_EQ(marked(), 1);
    EXPECT_EQ(lock_->requestedIdentifiers, QStringList{QStringLiteral("com.brenlow.Tavrin")});

    StatusItem& item = *delegate().aStatusItem();
    EXPECT_EQ(item.menu(), &mainInterface_.applicationMenu());
    const bool dark = item.effectiveAppearanceName() == NSAppearanceNameDarkAqua;
    EXPECT_EQ(item.image().name(), dark ? QStringLiteral("titleLogo_dark") : QStringLiteral("titleLogo"));
}

TEST_F(AppDelegateTest, TheStatusImageFollowsTheAppearance)
{
    const QPalette previous = QApplication::palette();
    QPalette palette = previous;
    palette.setColor(QPalette::Window, QColor(245, 245, 245));
    QApplication::setPalette(palette);
    launch();
    EXPECT_EQ(delegate().aStatusItem()->image().name(), QStringLiteral("titleLogo"));
    palette.setColor(QPalette::Window, QColor(25, 25, 30));
    QApplication::setPalette(palette);
    EXPECT_EQ(delegate().aStatusItem()->image().name(), QStringLiteral("titleLogo_dark"));
    delegate().observeValueForKeyPath(QStringLiteral("button.image"), delegate().aStatusItem()); // not observed: ignored
    delegate().changeTabbarIcon();
    EXPECT_EQ(delegate().aStatusItem()->image().name(), QStringLiteral("titleLogo_dark"));
    QApplication::setPalette(previous);
}

TEST_F(AppDelegateTest, TheChosenToolSurvivesARebuild)
{
    launch();
    WeakRef<MainViewController> first(&controller());
    controller().typeButtons()[std::size_t(indexOfHostedTool(QStringLiteral("Cleanup")))]->performClick();
    EXPECT_EQ(delegate().typeIdStr(), QStringLiteral("Cleanup"));

    closeWithTheLight();
    EXPECT_FALSE(delegate().isOpenMainWindow());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(first.get(), delegate().mainWC()); // hidden, still built

    clickStatusItem();
    EXPECT_TRUE(delegate().isOpenMainWindow());
    EXPECT_EQ(first.get(), nullptr); // the previous controller is gone
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(shownTool(), QStringLiteral("Cleanup"));
    EXPECT_EQ(marked(), 1);
}

TEST_F(AppDelegateTest, AClickOnAShownOrLostWindowBringsItToTheFrontUnbuilt)
{
    launch();
    Window other(Rect(0, 0, 50, 50), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    other.makeKeyAndOrderFront();
    WeakRef<MainViewController> built(&controller());
    clickStatusItem();
    EXPECT_TRUE(delegate().isOpenMainWindow());
    EXPECT_TRUE(window().isKeyWindow());
    delegate().showMainWindow(); // open: nothing happens
    EXPECT_TRUE(delegate().applicationShouldHandleReopen(true));

    window().orderOut(); // gone from the screen without the shell being told
    clickStatusItem();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(built.get(), delegate().mainWC());
}

TEST_F(AppDelegateTest, TheToggleDecision)
{
    const unsigned visible = WindowOcclusionStateVisible;
    EXPECT_EQ(statusItemToggle(false, true, visible), StatusItemToggle::Rebuild);
    EXPECT_EQ(statusItemToggle(false, false, 0), StatusItemToggle::Rebuild);
    EXPECT_EQ(statusItemToggle(true, true, 0), StatusItemToggle::Hide);
    EXPECT_EQ(statusItemToggle(true, true, visible), StatusItemToggle::BringToFront);
    EXPECT_EQ(statusItemToggle(true, false, 0), StatusItemToggle::BringToFront);
    EXPECT_EQ(statusItemToggle(true, true, visible | 0x100), StatusItemToggle::BringToFront);
}

TEST_F(AppDelegateTest, AClickHidesTheCoveredWindowAndTheNextRebuildsIt)
{
    launch();
    QCoreApplication::processEvents(); // the desktop shows the window
    WeakRef<MainViewController> built(&controller());
    window().didChangeExposureFromSystem(false); // and then reports it covered
    clickStatusItem();
    EXPECT_FALSE(delegate().isOpenMainWindow());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(built.get(), delegate().mainWC());

    clickStatusItem();
    EXPECT_TRUE(delegate().isOpenMainWindow());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(built.get(), nullptr);
}

TEST_F(AppDelegateTest, RebuildsKeepOneRegistrationAndOneLiveSetOfTools)
{
    launch();
    const int registrations = NotificationCenter::defaultCenter().observationCount();
    std::vector<WeakRef<ViewController>> tools;
    for (int round = 0; round < 4; ++round) {
        MainViewController& c = controller();
        ViewController* const set[] = {c.applicationVC(),    c.taskManagerVC(), c.cleanupVC(),
                                       c.uninstallVC(),      c.switchVC(),      c.startupItemsVC(),
                                       c.diskManagerVC(),    c.quickVisitVC()};
        for (ViewController* tool : set)
            tools.emplace_back(tool);
        if (round % 2)
            c.tabView()->clickMinimizeButton(*c.tabView()->minButton());
        else
            closeWithTheLight();
        EXPECT_FALSE(delegate().isOpenMainWindow());
        clickStatusItem();
        EXPECT_TRUE(window().isVisible());
        EXPECT_FALSE(window().isMiniaturized());
        platform_.dispatcher().drainAll();
    }
    EXPECT_EQ(NotificationCenter::defaultCenter().observationCount(), registrations);
    int live = 0;
    for (const auto& tool : tools)
        live += tool.get() != nullptr;
    EXPECT_EQ(live, 0); // every earlier set has gone; the current one was not counted

    // One notification, one rebuild.
    delegate().miniWindowAction();
    WeakRef<MainViewController> before(&controller());
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("reOpenWindow"), nullptr);
    EXPECT_EQ(before.get(), nullptr);
    WeakRef<MainViewController> after(&controller());
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("reOpenWindow"), nullptr);
    EXPECT_EQ(after.get(), delegate().mainWC()); // open: nothing more
}

TEST_F(AppDelegateTest, AnotherCopyIsFoundAndTheRunningOneComesForward)
{
    lock_->result = platform::InstanceLock::Result::AnotherCopyRuns;
    EXPECT_TRUE(delegate().checkAppDuplicateAndBringToFrontWithBundle(QStringLiteral("com.brenlow.Tavrin")));
    lock_->result = platform::InstanceLock::Result::Unavailable; // no lock to be had: this copy runs
    EXPECT_FALSE(delegate().checkAppDuplicateAndBringToFrontWithBundle(QStringLiteral("com.brenlow.Tavrin")));

    lock_->result = platform::InstanceLock::Result::Acquired;
    launch();
    delegate().miniWindowAction();
    WeakRef<MainViewController> hidden(&controller());
    lock_->activate(); // a later copy asks to come to the front: the window comes back, rebuilt
    EXPECT_EQ(hidden.get(), nullptr);
    EXPECT_TRUE(delegate().isOpenMainWindow());
    EXPECT_TRUE(platform_.log().messages().last().contains(QLatin1String("asked this one to come to the front")));
}

TEST_F(AppDelegateTest, TheApplicationMenuOpensTheMakersPages)
{
    Menu& menu = mainInterface_.applicationMenu();
    menu.performActionForItemAtIndex(0);
    menu.performActionForItemAtIndex(1);
    EXPECT_EQ(workspace_->requests(),
              (QList<test::FakeWorkspace::Request>{
                  {QStringLiteral("openURL"), QStringLiteral("https://www.brenlow.com/how-to-use/tavrin-user-guide.html"), {}},
                  {QStringLiteral("openURL"), QStringLiteral("https://www.brenlow.com/support/"), {}}}));
}

TEST_F(AppDelegateTest, APlainClickOnThePopWindowAsksForTheStartMenu)
{
    launch();
    delegate().miniWindowAction();
    WeakRef<MainViewController> hidden(&controller());
    auto small = std::make_unique<BaseWindow>(Rect(10, 10, 60, 60), 0, BackingStoreType::Buffered, false);
    BaseWindow* pop = small.get();
    PopWindowController popController(std::move(small));
    pop->makeKeyAndOrderFront();

    Event::Fields f;
    f.window = pop;
    f.locationOnScreen = {20, 20};
    pop->mouseDown(Event(f));
    pop->mouseUp(Event(f));
    EXPECT_EQ(hidden.get(), nullptr);
    EXPECT_TRUE(delegate().isOpenMainWindow());
    EXPECT_FALSE(pop->isVisible());
    EXPECT_TRUE(platform_.log().messages().contains(QStringLiteral("openMainWindow")));
}

TEST_F(AppDelegateTest, TheStartMenuWindowRendersDarkWithItsToolButtons)
{
    launch();
    const QImage image = window().renderToImage();
    ASSERT_TRUE(image.save(test::artifactPath(QStringLiteral("start-menu-window.png"))));
    // The view lies one point inside the window, under the window's 10-point strip.
    auto at = [&](double x, double y) { return image.pixelColor(int(x + 1), image.height() - 1 - int(y + 1)); };
    EXPECT_TRUE(uitest::near(at(205, 400), QColor(51, 57, 81, 153), 4)) << at(205, 400).name(QColor::HexArgb).toStdString();
    EXPECT_GT(at(400, 300).lightness(), 200); // the light panel of the tools

    for (Button* button : controller().typeButtons()) {
        int bright = 0;
        const Rect f = button->frame();
        for (double x = f.minX() + 40; x < f.maxX(); ++x)
            for (double y = f.minY() + 4; y < f.maxY() - 4; ++y)
                bright += at(x, y).lightness() > 170 && at(x, y).alpha() > 150;
        EXPECT_GT(bright, 25) << button->identifier().toStdString(); // the title is drawn there
    }
}
