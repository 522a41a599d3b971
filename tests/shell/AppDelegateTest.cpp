#include "StartMenuFixture.h"

#include "shell/AppDelegate.h"
#include "PopWindow/HMTrafficButtonsContainer.h"
#include "MainView/HostedTools.h"
#include "shell/MainMenu.h"
#include "shell/PopWindowController.h"
#include "PopWindow/StatusAttachedWindow.h"
#include "shell/StatusItemToggle.h"
#include "PopWindow/TabBarView.h"

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
    // Whether the window is up with `tool` shown and its button alone marked.
    void expectShown(const QString& tool)
    {
        EXPECT_TRUE(delegate().isOpenMainWindow());
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(controller().tab()->selectedTabViewItem()->identifier(), tool);
        int marked = 0;
        for (Button* button : controller().typeButtons())
            marked += button->image().name() == QLatin1String("tab");
        EXPECT_EQ(marked, 1);
    }
    void expectHidden()
    {
        EXPECT_FALSE(delegate().isOpenMainWindow());
        EXPECT_FALSE(window().isVisible());
    }
    void clickStatusItem() { delegate().aStatusItem()->performClick(); }
    void closeWithTheLight() { controller().tabView()->clickCloseButton(*controller().tabView()->closeButton()); }
    static void setWindowColour(const QColor& colour)
    {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Window, colour);
        QApplication::setPalette(palette);
    }

    MainMenu mainInterface_;
};

} // namespace

TEST_F(AppDelegateTest, TheFirstBuildShowsTaskManagerAndTheStatusItemFollowsTheAppearance)
{
    const QPalette previous = QApplication::palette();
    setWindowColour(QColor(245, 245, 245));
    EXPECT_FALSE(delegate().isOpenMainWindow());
    launch();
    expectShown(QStringLiteral("TaskManager"));
    EXPECT_TRUE(window().isKeyWindow());
    EXPECT_EQ(controller().superDelegate(), &window());
    EXPECT_EQ(delegate().typeIdStr(), QStringLiteral("TaskManager"));
    EXPECT_EQ(lock_->requestedIdentifiers, QStringList{QStringLiteral("com.brenlow.Tavrin")});

    StatusItem& item = *delegate().aStatusItem();
    EXPECT_EQ(item.menu(), &mainInterface_.applicationMenu());
    EXPECT_EQ(item.image().name(), QStringLiteral("titleLogo"));
    setWindowColour(QColor(25, 25, 30));
    EXPECT_EQ(item.image().name(), QStringLiteral("titleLogo_dark"));
    QApplication::setPalette(previous);
}

// A click on the status item brings a shown or lost window forward as it is, hides a covered
// one, and rebuilds a hidden one with the tool that was chosen.
TEST_F(AppDelegateTest, StatusItemClicksBringForwardHideOrRebuild)
{
    launch();
    controller().typeButtons()[std::size_t(indexOfHostedTool(QStringLiteral("Cleanup")))]->performClick();
    WeakRef<MainViewController> built(&controller());
    Window other(Rect(0, 0, 50, 50), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    other.makeKeyAndOrderFront();
    clickStatusItem();
    EXPECT_TRUE(window().isKeyWindow());
    delegate().showMainWindow(); // open: nothing happens
    EXPECT_TRUE(delegate().applicationShouldHandleReopen(true));
    window().orderOut(); // gone from the screen without the shell being told
    clickStatusItem();
    expectShown(QStringLiteral("Cleanup"));
    QCoreApplication::processEvents(); // the desktop shows the window
    window().didChangeExposureFromSystem(false); // and then reports it covered
    clickStatusItem();
    expectHidden();
    EXPECT_EQ(built.get(), delegate().mainWC()); // hidden, still built
    clickStatusItem();
    EXPECT_EQ(built.get(), nullptr);
    expectShown(QStringLiteral("Cleanup"));
    closeWithTheLight();
    expectHidden();
}

TEST_F(AppDelegateTest, TheToggleDecision)
{
    const unsigned visible = WindowOcclusionStateVisible;
    const struct {
        bool open, visible;
        unsigned occlusion;
        StatusItemToggle expected;
    } cases[] = {{false, true, visible, StatusItemToggle::Rebuild},   {false, false, 0, StatusItemToggle::Rebuild},
                 {true, true, 0, StatusItemToggle::Hide},             {true, true, visible, StatusItemToggle::BringToFront},
                 {true, false, 0, StatusItemToggle::BringToFront},    {true, true, visible | 0x100, StatusItemToggle::BringToFront}};
    for (const auto& c : cases)
        EXPECT_EQ(statusItemToggle(c.open, c.visible, c.occlusion), c.expected) << c.open << c.visible << c.occlusion;
}

TEST_F(AppDelegateTest, RebuildsKeepOneRegistrationAndOneLiveSetOfTools)
{
    launch();
    const int registrations = NotificationCenter::defaultCenter().observationCount();
    std::vector<WeakRef<ViewController>> earlier;
    for (int round = 0; round < 4; ++round) {
        for (ViewController* tool : tools(controller()))
            earlier.emplace_back(tool);
        if (round % 2)
            controller().tabView()->clickMinimizeButton(*controller().tabView()->minButton());
        else
            closeWithTheLight();
        EXPECT_FALSE(delegate().isOpenMainWindow());
        clickStatusItem();
        EXPECT_TRUE(window().isVisible());
        EXPECT_FALSE(window().isMiniaturized());
        platform_.dispatcher().drainAll();
    }
    EXPECT_EQ(NotificationCenter::defaultCenter().observationCount(), registrations);
    for (const auto& tool : earlier)
        EXPECT_EQ(tool.get(), nullptr);

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
    const QString bundle = QStringLiteral("com.brenlow.Tavrin");
    lock_->result = platform::InstanceLock::Result::AnotherCopyRuns;
    EXPECT_TRUE(delegate().checkAppDuplicateAndBringToFrontWithBundle(bundle));
    lock_->result = platform::InstanceLock::Result::Unavailable; // no lock to be had: this copy runs
    EXPECT_FALSE(delegate().checkAppDuplicateAndBringToFrontWithBundle(bundle));

    lock_->result = platform::InstanceLock::Result::Acquired;
    launch();
    delegate().miniWindowAction();
    WeakRef<MainViewController> hidden(&controller());
    lock_->activate(); // a later copy asks to come to the front: the window comes back, rebuilt
    EXPECT_EQ(hidden.get(), nullptr);
    EXPECT_TRUE(delegate().isOpenMainWindow());
    EXPECT_TRUE(platform_.log().messages().last().contains(QLatin1String("asked this one to come to the front")));
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
}
