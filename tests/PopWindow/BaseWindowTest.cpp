#include "PopWindow/BaseWindow.h"

#include "TestPlatform.h"
#include "UiTestSupport.h"

#include "utilities/PublicUtilities.h"
#include "utilities/SettingsStore.h"

#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;

namespace {

class CountingDelegate : public BaseWindowDelegate {
public:
    void openMainWindow() override { ++opened; }
    int opened = 0;
};

Event mouseAt(EventType type, Point onScreen)
{
    Event::Fields f;
    f.type = type;
    f.locationOnScreen = onScreen;
    return Event(f);
}

struct Drag {
    BaseWindow& window;
    void down(Point p) { window.mouseDown(mouseAt(EventType::LeftMouseDown, p)); }
    void to(Point p) { window.mouseDragged(mouseAt(EventType::LeftMouseDragged, p)); }
    void up(Point p) { window.mouseUp(mouseAt(EventType::LeftMouseUp, p)); }
    // Pressed at the first point, dragged through the others, released at the last.
    void through(std::initializer_list<Point> points)
    {
        down(*points.begin());
        for (Point p : points)
            to(p);
        up(*(points.end() - 1));
    }
};

std::unique_ptr<BaseWindow> makeWindow(const Rect& frame, BaseWindowDelegate* delegate)
{
    auto window = std::make_unique<BaseWindow>(frame, WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    window->setBaseWindowDelegate(delegate);
    return window;
}

class BaseWindowTest : public ::testing::Test {
protected:
    test::TestPlatform platform;
    CountingDelegate delegate;
    std::unique_ptr<BaseWindow> window = makeWindow(Rect(100, 100, 80, 60), &delegate);
    Drag drag{*window};
};

} // namespace

TEST(BaseWindowDragTest, TopStopsAtTheScreenTopAndNothingElseIsClamped)
{
    const Rect screen(0, 0, 1440, 900);
    const struct {
        Point pointer, grip;
        double height;
        Rect screen;
        Point origin;
    } cases[] = {
        {{300, 400}, {20, 30}, 100, screen, {280, 370}}, // the pointer less the grip offset
        // Exactly touching the top is allowed; one point more is pulled back.
        {{300, 830}, {20, 30}, 100, screen, {280, 800}},
        {{300, 831}, {20, 30}, 100, screen, {280, 800}},
        // Off the left, the right and the bottom: followed as they are.
        {{-500, -700}, {20, 30}, 100, screen, {-520, -730}},
        {{5000, 10}, {20, 30}, 100, screen, {4980, -20}},
        {{0, 2000}, {0, 0}, 50, Rect(-100, 200, 800, 600), {0, 750}}, // a screen that does not start at 0
        {{10, 10}, {0, 0}, 50, Rect(), {10, -50}},                  // no screen: the top stays at 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(BaseWindow::dragOrigin(c.pointer, c.grip, c.height, c.screen), c.origin) << c.pointer.x << "," << c.pointer.y;
}

TEST_F(BaseWindowTest, DraggingMovesTheWindowAndStoresTheClampedOrigin)
{
    const Rect screen = Screen::mainScreen()->frame();
    drag.down({110, 120}); // gripped 10 right and 20 up from the origin
    drag.to({150, 170});
    EXPECT_EQ(window->frame().origin, (Point{140, 150}));
    EXPECT_EQ(PublicUtilities::getPopWindowPoint(), (Point{140, 150}));

    // Far above the screen: x follows, the top stays at the screen's top.
    drag.to({333, screen.maxY() + 500});
    EXPECT_EQ(window->frame().origin, (Point{323, screen.maxY() - 60}));
    EXPECT_EQ(PublicUtilities::getPopWindowPoint(), (Point{323, screen.maxY() - 60}));
    drag.up({333, screen.maxY() + 500});
    EXPECT_EQ(delegate.opened, 0);
}

TEST_F(BaseWindowTest, OnlyAClickThatLeavesTheWindowWhereItWasOpensTheMainWindow)
{
    drag.through({{120, 120}});
    drag.through({{120, 120}, {200, 50}, {120, 120}}); // away and back again counts as a click
    EXPECT_EQ(delegate.opened, 2);
    drag.through({{120, 120}, {120.25, 120}}); // any net movement, however small, does not
    EXPECT_EQ(delegate.opened, 2);

    // Before any press the remembered frame is all zero: a window at the origin takes a
    // stray release for a click, a window elsewhere does not.
    delegate.opened = 0;
    const auto atOrigin = makeWindow(Rect(0, 0, 80, 60), &delegate);
    Drag{*atOrigin}.up({5, 5});
    EXPECT_EQ(delegate.opened, 1);
    const auto elsewhere = makeWindow(Rect(300, 200, 80, 60), &delegate);
    Drag dragged{*elsewhere};
    dragged.up({305, 205});
    EXPECT_EQ(delegate.opened, 1);

    // After a drag, a stray release compares with the frame of that drag's press.
    dragged.through({{305, 205}, {405, 205}});
    EXPECT_EQ(delegate.opened, 1);
    elsewhere->setFrameOrigin({300, 200}); // moved back by someone else
    dragged.up({305, 205});
    EXPECT_EQ(delegate.opened, 2);
    // The release ended the drag: moving now neither moves nor stores anything.
    SettingsStore::setValueForKey(QStringLiteral("X"), QStringLiteral("1.0"));
    dragged.to({0, 0});
    EXPECT_EQ(elsewhere->frame().origin, (Point{300, 200}));
    EXPECT_EQ(PublicUtilities::getPopWindowPoint().x, 1.0);
}

TEST_F(BaseWindowTest, PressesOnItsViewsReachTheWindow)
{
    QWidget* content = window->contentView()->widget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(500, 500), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(500, 500), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(content, &press);
    QApplication::sendEvent(content, &release);
    EXPECT_EQ(delegate.opened, 1);
    uitest::dragWidget(content);
    EXPECT_EQ(window->frame().origin, (Point{130, 80})); // Qt's y runs down, the screen's up
    EXPECT_EQ(delegate.opened, 1);
}

TEST_F(BaseWindowTest, DelegateMayLetTheWindowGoWhenItOpensTheMainWindow)
{
    class Closing : public BaseWindowDelegate {
    public:
        void openMainWindow() override { window.reset(); }
        std::unique_ptr<BaseWindow> window;
    } closing;
    closing.window = makeWindow(Rect(100, 100, 80, 60), &closing);
    Drag{*closing.window}.through({{110, 110}});
    EXPECT_EQ(closing.window, nullptr);
}
