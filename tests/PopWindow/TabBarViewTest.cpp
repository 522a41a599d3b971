#include "HMTrafficButtonsContainer.h"
#include "TabBarView.h"
#include "TrafficLightState.h"

#include "UiTestSupport.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/ui/Application.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowNotifications.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;
using platform::NotificationCenter;
using Look = TrafficLightState::Look;

namespace {

// A window holding a tab bar at its top left, as the start-menu view has it.
struct BarWindow {
    explicit BarWindow(double x = 100)
    {
        window->setFrame(Rect(x, 100, 300, 200), false);
        bar = window->contentView()->addSubview(std::make_unique<TabBarView>(Rect(10, 180, 60, 16)));
        window->orderFront();
    }
    std::unique_ptr<Window> window =
        std::make_unique<Window>(Rect(), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    TabBarView* bar;
    uitest::Mouse mouse{*window};

    void enterBar() { mouse.move({20, 187}); }
    void leaveBar() { mouse.move({200, 50}); }
    // The middle of a light, in the window's coordinates.
    Point lightCentre(const HMTrafficButtonsContainer* light) const
    {
        return {bar->frame().minX() + light->frame().midX(), bar->frame().minY() + light->frame().midY()};
    }
};

// Which of its three pictures a light shows.
char look(const HMTrafficButtonsContainer* light)
{
    const QString id = light->idStr();
    if (light->image() == Image::imageNamed(QStringLiteral("window-button-all-inactive")))
        return 'i';
    if (light->image() == Image::imageNamed(QStringLiteral("window-button-%1-active").arg(id)))
        return 'a';
    if (light->image() == Image::imageNamed(QStringLiteral("window-button-%1-hover").arg(id)))
        return 'h';
    return '?';
}

// The looks of close, minimise and zoom.
std::string looks(const TabBarView* bar)
{
    return {look(bar->closeButton()), look(bar->minButton()), look(bar->zoomButton())};
}

class RecordingDelegate : public TabBarVDelegate {
public:
    void closeWindowAction() override
    {
        calls += "close;";
        if (window)
            visibleAtClose = window->isVisible();
    }
    void miniWindowAction() override { calls += "mini;"; }
    std::string calls;
    Window* window = nullptr;
    bool visibleAtClose = false;
};

// A delegate that does not care for either message.
class SilentDelegate : public TabBarVDelegate {};

} // namespace

TEST(TrafficLightStateTest, PressAndReleaseSetTheHoverFlagWithoutChangingThePicture)
{
    TrafficLightState light;
    light.mouseUp(); // even while inactive
    EXPECT_TRUE(light.hoverState());
    EXPECT_EQ(light.setActiveState(), Look::Hover);
    light.mouseDown();
    EXPECT_FALSE(light.hoverState());
    EXPECT_EQ(light.setActiveState(), Look::Active);
}

TEST(TabBarViewTest, HoverShowsOnEveryActiveLightOfEveryBar)
{
    test::TestPlatform platform;
    BarWindow first(100), second(500);

    first.enterBar();
    EXPECT_EQ(looks(first.bar), "hih"); // minimise is not active and keeps its picture
    EXPECT_EQ(looks(second.bar), "hih"); // the other bar's lights change too
    first.leaveBar();
    EXPECT_EQ(looks(first.bar), "aia");
    EXPECT_EQ(looks(second.bar), "aia");

    // Once enabled, minimise takes part.
    first.bar->setMiniButAction(true);
    EXPECT_EQ(looks(first.bar), "aaa");
    second.enterBar();
    EXPECT_EQ(looks(first.bar), "hhh");
    EXPECT_EQ(looks(second.bar), "hih");
    second.leaveBar();

    // Disabling it still makes it look active.
    first.bar->setMiniButAction(false);
    EXPECT_EQ(look(first.bar->minButton()), 'a');
}

TEST(TabBarViewTest, MainWindowChangesAnywhereRestyleEveryLight)
{
    test::TestPlatform platform;
    BarWindow w;
    Window other(Rect(600, 100, 100, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false);

    other.makeKeyAndOrderFront(); // some window became main: all lights active, even disabled ones
    EXPECT_EQ(looks(w.bar), "aaa");
    w.enterBar();
    EXPECT_EQ(looks(w.bar), "hhh");

    other.orderOut(); // the main window resigned and none took over
    EXPECT_EQ(NSApp().mainWindow(), nullptr);
    EXPECT_EQ(looks(w.bar), "iii");
    w.leaveBar(); // inactive lights ignore the pointer and keep their hover flag
    w.enterBar();
    EXPECT_EQ(looks(w.bar), "iii");
    EXPECT_TRUE(w.bar->closeButton()->hoverState());
    w.leaveBar();
    EXPECT_TRUE(w.bar->closeButton()->hoverState());

    // Another window becoming main brings them back, in hover since the flag was kept.
    w.window->makeKeyAndOrderFront();
    EXPECT_EQ(looks(w.bar), "hhh");
}

TEST(TabBarViewTest, CloseLightClosesTheWindowWhateverTheDelegate)
{
    test::TestPlatform platform;
    SilentDelegate silent; // lacks closeWindowAction
    RecordingDelegate recording;
    for (TabBarVDelegate* delegate : {static_cast<TabBarVDelegate*>(nullptr), static_cast<TabBarVDelegate*>(&silent),
                                      static_cast<TabBarVDelegate*>(&recording)}) {
        BarWindow w;
        recording.window = w.window.get();
        w.bar->setDelegate(delegate);
        w.mouse.click(w.lightCentre(w.bar->closeButton()));
        EXPECT_FALSE(w.window->isVisible());
    }
    EXPECT_EQ(recording.calls, "close;");
    EXPECT_TRUE(recording.visibleAtClose); // told before the window closes
}

TEST(TabBarViewTest, MinimiseAndZoomActOnlyWhenEnabled)
{
    test::TestPlatform platform;
    BarWindow w;
    RecordingDelegate recording;
    w.bar->setDelegate(&recording);
    const Rect before = w.window->frame();

    // Disabled at first: clicks do nothing.
    w.mouse.click(w.lightCentre(w.bar->minButton()));
    w.mouse.click(w.lightCentre(w.bar->zoomButton()));
    EXPECT_EQ(recording.calls, "");
    EXPECT_FALSE(w.window->isMiniaturized());
    EXPECT_EQ(w.window->frame(), before);

    w.bar->setMiniButAction(true);
    w.mouse.click(w.lightCentre(w.bar->minButton()));
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

TEST(TabBarViewTest, DelegateMayLetTheBarGoAndTheWindowStillCloses)
{
    test::TestPlatform platform;
    BarWindow w;
    class Dropping : public TabBarVDelegate {
    public:
        void closeWindowAction() override { (void)bar->removeFromSuperview(); }
        TabBarView* bar = nullptr;
    } dropping;
    dropping.bar = w.bar;
    w.bar->setDelegate(&dropping);
    w.mouse.click(w.lightCentre(w.bar->closeButton()));
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_TRUE(w.window->contentView()->subviews().empty());
}

TEST(TabBarViewTest, NothingReachesLightsOrBarsThatAreGone)
{
    test::TestPlatform platform;
    auto& center = platform::NotificationCenter::defaultCenter();
    const int baseline = center.observationCount();
    std::unique_ptr<BarWindow> gone = std::make_unique<BarWindow>(100);
    EXPECT_EQ(center.observationCount(), baseline + 12); // four per light
    gone.reset();
    EXPECT_EQ(center.observationCount(), baseline);

    // The notifications go on reaching the lights that remain, and no others.
    BarWindow kept(300);
    center.postNotificationName(HMTrafficButtonMouseEnter, nullptr);
    center.postNotificationName(NSWindowDidResignMainNotification, nullptr);
    EXPECT_EQ(looks(kept.bar), "iii");
    center.postNotificationName(NSWindowDidBecomeMainNotification, nullptr);
    EXPECT_EQ(looks(kept.bar), "hah"); // minimise was not active when the pointer came
}

TEST(TabBarViewTest, LightsDrawTheirPictures)
{
    test::TestPlatform platform;
    BarWindow w;
    const QImage image = w.bar->renderToImage();
    image.save(test::artifactPath(QStringLiteral("tab-bar-view.png")));
    // Light centres in the bar's image (y down): close red, minimise grey (inactive), zoom green.
    const QColor close = image.pixelColor(6, 16 - 8), minimise = image.pixelColor(24, 8), zoom = image.pixelColor(42, 8);
    EXPECT_GT(close.red(), 200);
    EXPECT_LT(close.green(), 120);
    EXPECT_LT(std::abs(minimise.red() - minimise.blue()), 40);
    EXPECT_GT(zoom.green(), 150);
    EXPECT_LT(zoom.red(), 100);
    EXPECT_EQ(image.pixelColor(55, 8).alpha(), 0); // the bar itself draws nothing
}
