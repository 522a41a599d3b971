#include "UiTestSupport.h"

#include "platform/ui/Application.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowDelegate.h"
#include "platform/ui/WindowNotifications.h"
#include "platform/ui/WindowServer.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;
using platform::Observation;

namespace {

using uitest::makeWindow;

// Every notification posted with `object`, by name.
struct Heard {
    explicit Heard(const void* object)
    {
        observation = NotificationCenter::defaultCenter().addObserver(
            this, QString(), object, [this](const Notification& n) { names << n.name; });
    }
    QStringList names;
    Observation observation;
};

class RefusingDelegate : public WindowDelegate {
public:
    bool windowShouldClose(Window&) override { return ++asked, false; }
    void windowWillClose(const Notification&) override { ++willClose; }
    int asked = 0;
    int willClose = 0;
};

} // namespace

TEST(WindowTest, FramesAreScreenCoordinatesFromTheBottom)
{
    auto window = makeWindow(Rect(100, 50, 200, 80));
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const int bottom = primary.y() + primary.height();
    EXPECT_EQ(window->widget()->geometry(), QRect(100, bottom - 130, 200, 80));
    EXPECT_EQ(window->contentView()->frame(), Rect(0, 0, 200, 80));
    EXPECT_EQ(window->convertBaseToScreen({10, 20}), (Point{110, 70}));
    Heard heard(window.get());
    window->setFrame(Rect(100, 50, 300, 80), false);
    EXPECT_EQ(heard.names, QStringList{NSWindowDidResizeNotification});
    EXPECT_EQ(window->contentView()->frame(), Rect(0, 0, 300, 80));
    window->setFrameOrigin({0, 0});
    window->setFrameOrigin({0, 0}); // no change, no notification
    EXPECT_EQ(heard.names, (QStringList{NSWindowDidResizeNotification, NSWindowDidMoveNotification}));
}

TEST(WindowTest, KeyAndMainFollowOrderingAndDestruction)
{
    auto a = makeWindow(Rect(0, 0, 100, 100));
    auto b = makeWindow(Rect(200, 0, 100, 100));
    auto borderless = makeWindow(Rect(400, 0, 100, 100), WindowStyleMaskBorderless);
    Heard heardA(a.get());
    a->makeKeyAndOrderFront();
    EXPECT_TRUE(a->isKeyWindow());
    EXPECT_EQ(NSApp().mainWindow(), a.get());
    b->makeKeyAndOrderFront();
    EXPECT_EQ(heardA.names, (QStringList{NSWindowDidBecomeKeyNotification, NSWindowDidBecomeMainNotification,
                                         NSWindowDidResignKeyNotification, NSWindowDidResignMainNotification}));
    // A borderless window shows but cannot take key or main status by default.
    borderless->makeKeyAndOrderFront();
    EXPECT_TRUE(borderless->isVisible());
    EXPECT_EQ(NSApp().keyWindow(), b.get());
    b->orderOut(); // the window that was key before takes the status back
    EXPECT_EQ(NSApp().keyWindow(), a.get());
    EXPECT_EQ(NSApp().mainWindow(), a.get());
    a->orderOut(); // none left on screen that could take it
    EXPECT_EQ(NSApp().keyWindow(), nullptr);
    a->makeKeyAndOrderFront();
    a.reset(); // destroyed while key and main
    EXPECT_EQ(NSApp().keyWindow(), nullptr);
    EXPECT_EQ(NSApp().mainWindow(), nullptr);
    borderless->orderOut();
}

TEST(WindowTest, ClosingIsAnnouncedOnceAndTheCloseButtonAsksFirst)
{
    auto window = makeWindow(Rect(0, 0, 100, 100), WindowStyleMaskTitled | WindowStyleMaskClosable);
    RefusingDelegate delegate;
    window->setDelegate(&delegate);
    int closes = 0;
    // An observer that closes the window again while it closes does not start a second close.
    Observation again = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowWillCloseNotification, window.get(), [&](const Notification&) {
            ++closes;
            window->close();
        });
    window->makeKeyAndOrderFront();
    window->performClose();
    EXPECT_EQ(delegate.asked, 1);
    EXPECT_TRUE(window->isVisible());
    window->close();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(delegate.willClose, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isKeyWindow());
    // Without a close button the request does nothing.
    auto borderless = makeWindow(Rect(0, 0, 100, 100), WindowStyleMaskBorderless);
    Heard heard(borderless.get());
    borderless->performClose();
    EXPECT_TRUE(heard.names.isEmpty());
    // An observer may let the window go while it closes.
    auto doomed = makeWindow(Rect(0, 0, 100, 100));
    Observation release = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowWillCloseNotification, doomed.get(), [&](const Notification&) { doomed.reset(); });
    doomed->close();
    EXPECT_EQ(doomed, nullptr);
}

TEST(WindowTest, AutosaveNamesBelongToOneWindowAtATime)
{
    auto first = makeWindow(Rect(1, 2, 30, 40));
    auto second = makeWindow(Rect(5, 6, 70, 80));
    EXPECT_TRUE(first->setFrameAutosaveName(QStringLiteral("Position")));
    EXPECT_FALSE(second->setFrameAutosaveName(QStringLiteral("Position")));
    EXPECT_TRUE(first->setFrameAutosaveName(QStringLiteral("Other"))); // gives up the first name
    EXPECT_TRUE(second->setFrameAutosaveName(QStringLiteral("Position")));
    EXPECT_FALSE(first->setFrameAutosaveName(QStringLiteral("Position")));
    second.reset(); // the name is free again
    EXPECT_TRUE(first->setFrameAutosaveName(QStringLiteral("Position")));
}

TEST(WindowTest, DraggingTheBackgroundMovesAMovableWindow)
{
    auto window = makeWindow(Rect(100, 100, 200, 100));
    uitest::dragWidget(window->contentView()->widget());
    EXPECT_EQ(window->frame().origin, (Point{100, 100})) << "not movable yet";
    window->setMovableByWindowBackground(true);
    uitest::dragWidget(window->contentView()->widget());
    EXPECT_EQ(window->frame().origin, (Point{130, 80})); // Qt's y runs down, the Mac's up
    EXPECT_TRUE(window->isKeyWindow());                  // a click makes the window key
    window->orderOut();
}

TEST(WindowTest, MiniaturizingWithoutAWindowManagerHidesUntilShownAgain)
{
    for (const bool manager : {true, false}) {
        SCOPED_TRACE(manager ? "window manager" : "bare X server");
        speakForDesktopWindowManager(manager);
        auto window = makeWindow(Rect(100, 100, 200, 100));
        auto other = makeWindow(Rect(400, 100, 200, 100));
        other->makeKeyAndOrderFront();
        window->makeKeyAndOrderFront();
        Heard heard(window.get());
        window->miniaturize();
        EXPECT_TRUE(window->isMiniaturized());
        EXPECT_EQ(window->widget()->isVisible() && !window->widget()->isMinimized(), false) << "still on the screen";
        EXPECT_EQ(NSApp().keyWindow(), other.get());
        window->makeKeyAndOrderFront();
        // Without a manager nothing else can bring it back: ordering it front does.
        EXPECT_EQ(window->isMiniaturized(), manager);
        EXPECT_EQ(heard.names.contains(NSWindowDidDeminiaturizeNotification), !manager);
    }
    speakForDesktopWindowManager(std::nullopt);
}
