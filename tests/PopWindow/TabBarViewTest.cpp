#include "PopWindow/HMTrafficButtonsContainer.h"
#include "PopWindow/TabBarView.h"

#include "UiTestSupport.h"

#include "TestPlatform.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowNotifications.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

// A window holding a tab bar at its top left, as the start-menu view has it.
struct BarWindow {
    explicit BarWindow(double x = 100)
    {
        window->setFrame(Rect(x, 100, 300, 200), false);
        bar = window->contentView()->addSubview(std::make_unique<TabBarView>(Rect(10, 180, 60, 16)));
        window->orderFront();
    }
    std::unique_ptr<Window> window = uitest::makeWindow(Rect());
    TabBarView* bar;
    uitest::Mouse mouse{*window};

    void enterBar() { mouse.move({20, 187}); }
    void leaveBar() { mouse.move({200, 50}); }
    void click(const HMTrafficButtonsContainer* light)
    {
        mouse.click({bar->frame().minX() + light->frame().midX(), bar->frame().minY() + light->frame().midY()});
    }
    // Which of its three pictures each of close, minimise and zoom shows: inactive, active or hover.
    std::string looks() const
    {
        std::string looks;
        for (const HMTrafficButtonsContainer* light : {bar->closeButton(), bar->minButton(), bar->zoomButton()}) {
            const QString id = light->idStr();
            const Image& image = light->image();
            looks += image == Image::imageNamed(QStringLiteral("window-button-all-inactive"))            ? 'i'
                : image == Image::imageNamed(QStringLiteral("window-button-%1-active").arg(id)) ? 'a'
                : image == Image::imageNamed(QStringLiteral("window-button-%1-hover").arg(id))  ? 'h'
                                                                                                 : '?';
        }
        return looks;
    }
};

class RecordingDelegate : public TabBarVDelegate {
public:
    void closeWindowAction() override { calls += window && window->isVisible() ? "close while shown;" : "close;"; }
    void miniWindowAction() override { calls += "mini;"; }
    std::string calls;
    Window* window = nullptr;
};

} // namespace

TEST(TabBarViewTest, HoverAndMainWindowChangesRestyleEveryActiveLightOfEveryBar)
{
    test::TestPlatform platform;
    BarWindow first(100), second(500);
    first.enterBar();
    EXPECT_EQ(first.looks(), "hih"); // minimise is not active and keeps its picture
    EXPECT_EQ(second.looks(), "hih"); // the other bar's lights change too
    first.leaveBar();
    EXPECT_EQ(second.looks(), "aia");
    // Once enabled, minimise takes part; disabled again, it still looks active.
    first.bar->setMiniButAction(true);
    second.enterBar();
    EXPECT_EQ(first.looks(), "hhh");
    second.leaveBar();
    first.bar->setMiniButAction(false);
    EXPECT_EQ(first.looks(), "aaa");

    Window other(Rect(600, 100, 100, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    other.makeKeyAndOrderFront(); // some window became main: all lights active, even disabled ones
    EXPECT_EQ(second.looks(), "aaa");
    second.enterBar();
    other.orderOut(); // the main window resigned and none took over
    EXPECT_EQ(NSApp().mainWindow(), nullptr);
    EXPECT_EQ(second.looks(), "iii");
    second.leaveBar(); // inactive lights ignore the pointer and keep their hover flag
    EXPECT_EQ(second.looks(), "iii");
    // Another window becoming main brings them back, in hover since the flag was kept.
    second.window->makeKeyAndOrderFront();
    EXPECT_EQ(second.looks(), "hhh");
}

TEST(TabBarViewTest, CloseLightClosesTheWindowWhateverTheDelegate)
{
    test::TestPlatform platform;
    TabBarVDelegate silent; // lacks closeWindowAction
    RecordingDelegate recording;
    class Dropping : public TabBarVDelegate {
    public:
        void closeWindowAction() override { (void)bar->removeFromSuperview(); }
        TabBarView* bar = nullptr;
    } dropping; // lets the bar go while its light is clicked
    for (TabBarVDelegate* delegate : std::initializer_list<TabBarVDelegate*>{nullptr, &silent, &recording, &dropping}) {
        BarWindow w;
        recording.window = w.window.get();
        dropping.bar = w.bar;
        w.bar->setDelegate(delegate);
        w.click(w.bar->closeButton());
        EXPECT_FALSE(w.window->isVisible());
        EXPECT_EQ(w.window->contentView()->subviews().empty(), delegate == &dropping);
    }
    EXPECT_EQ(recording.calls, "close while shown;"); // told before the window closes
}

TEST(TabBarViewTest, MinimiseAndZoomActOnlyWhenEnabled)
{
    test::TestPlatform platform;
    BarWindow w;
    RecordingDelegate recording;
    w.bar->setDelegate(&recording);
    const Rect before = w.window->frame();
    w.click(w.bar->minButton()); // disabled at first: clicks do nothing
    w.click(w.bar->zoomButton());
    EXPECT_EQ(recording.calls, "");
    EXPECT_FALSE(w.window->isMiniaturized());
    EXPECT_EQ(w.window->frame(), before);

    w.bar->setMiniButAction(true);
    w.click(w.bar->minButton());
    EXPECT_EQ(recording.calls, "mini;");
    EXPECT_TRUE(w.window->isMiniaturized());
    w.window->didDeminiaturizeFromSystem();
    // Zoom fills the screen's visible frame and a second zoom gives the frame back.
    w.bar->zoomButton()->setEnabled(true);
    w.bar->zoomButton()->performClick();
    const std::optional<Screen> screen = w.window->screen() ? w.window->screen() : Screen::mainScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(w.window->frame(), screen->visibleFrame());
    w.bar->zoomButton()->performClick();
    EXPECT_EQ(w.window->frame(), before);
    EXPECT_EQ(recording.calls, "mini;");
}

TEST(TabBarViewTest, NothingReachesLightsOrBarsThatAreGone)
{
    test::TestPlatform platform;
    auto& center = platform::NotificationCenter::defaultCenter();
    const int baseline = center.observationCount();
    auto gone = std::make_unique<BarWindow>(100);
    EXPECT_EQ(center.observationCount(), baseline + 12); // four per light
    gone.reset();
    EXPECT_EQ(center.observationCount(), baseline);
    // The notifications go on reaching the lights that remain, and no others.
    BarWindow kept(300);
    center.postNotificationName(HMTrafficButtonMouseEnter, nullptr);
    center.postNotificationName(NSWindowDidResignMainNotification, nullptr);
    EXPECT_EQ(kept.looks(), "iii");
    center.postNotificationName(NSWindowDidBecomeMainNotification, nullptr);
    EXPECT_EQ(kept.looks(), "hah"); // minimise was not active when the pointer came
}
