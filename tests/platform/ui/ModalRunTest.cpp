#include "platform/ui/Application.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowNotifications.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;
using platform::Observation;

namespace {

std::unique_ptr<Window> makeWindow(double x = 100)
{
    return std::make_unique<Window>(Rect(x, 100, 200, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
}

// Runs `step` as soon as the innermost event loop turns.
void soon(std::function<void()> step)
{
    QTimer::singleShot(0, qApp, std::move(step));
}

// Counts the mouse-downs that reach it.
class CountingView : public View {
public:
    using View::View;
    void mouseDown(const Event&) override { ++downs; }
    int downs = 0;
};

void click(View& view)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view.widget(), &press);
}

} // namespace

TEST(ModalRunTest, NestedRunsEndInnermostFirstAndRepeatedStopsAreHarmless)
{
    auto outer = makeWindow();
    auto inner = makeWindow(300);
    std::vector<QString> trace;
    long innerResponse = 0;
    soon([&] {
        trace.push_back(QStringLiteral("outer running"));
        EXPECT_EQ(NSApp().modalWindow(), outer.get());
        soon([&] {
            trace.push_back(QStringLiteral("inner running"));
            EXPECT_EQ(NSApp().modalRunDepth(), 2);
            NSApp().stopModal();
            NSApp().stopModal(); // the inner run is already stopped: the outer one goes on
        });
        innerResponse = NSApp().runModalForWindow(*inner);
        trace.push_back(QStringLiteral("inner returned"));
        EXPECT_EQ(NSApp().modalWindow(), outer.get());
        soon([&] {
            trace.push_back(QStringLiteral("outer still running"));
            NSApp().stopModalWithCode(7);
        });
    });
    const long outerResponse = NSApp().runModalForWindow(*outer);
    EXPECT_EQ(innerResponse, NSModalResponseStop);
    EXPECT_EQ(outerResponse, 7);
    EXPECT_EQ(trace, (std::vector<QString>{QStringLiteral("outer running"), QStringLiteral("inner running"),
                                           QStringLiteral("inner returned"), QStringLiteral("outer still running")}));
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
    EXPECT_EQ(NSApp().modalWindow(), nullptr);

    NSApp().stopModal(); // no run: nothing happens
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
}

TEST(ModalRunTest, AWindowsOwnRunCanBeEndedFromBeneathAnother)
{
    auto outer = makeWindow();
    auto inner = makeWindow(300);
    bool innerEnded = false;
    soon([&] {
        soon([&] {
            NSApp().stopModalForWindow(*outer); // not the innermost: it waits
            EXPECT_EQ(NSApp().modalWindow(), inner.get());
            NSApp().stopModalForWindow(*inner);
        });
        NSApp().runModalForWindow(*inner);
        innerEnded = true;
    });
    NSApp().runModalForWindow(*outer);
    EXPECT_TRUE(innerEnded);
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
    NSApp().stopModalForWindow(*outer); // no run for it: nothing
}

TEST(ModalRunTest, ARunStoppedBeforeItsLoopStartsReturnsAtOnce)
{
    auto window = makeWindow();
    // The window becomes key as the run shows it; stopping right then must not be lost.
    Observation stopOnKey = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowDidBecomeKeyNotification, window.get(), [](const Notification&) { NSApp().stopModal(); });
    EXPECT_EQ(NSApp().runModalForWindow(*window), NSModalResponseStop);
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
}

TEST(ModalRunTest, DestroyingTheModalWindowEndsItsRun)
{
    auto window = makeWindow();
    soon([&] { window.reset(); });
    NSApp().runModalForWindow(*window);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
    EXPECT_EQ(NSApp().keyWindow(), nullptr);
}

TEST(ModalRunTest, OnlyTheModalWindowAndItsChildrenGetInput)
{
    auto modal = makeWindow();
    auto child = makeWindow(150);
    auto other = makeWindow(400);
    modal->addChildWindow(*child, WindowOrderingMode::Above);
    auto* inModal = modal->contentView()->addSubview(std::make_unique<CountingView>(Rect(0, 0, 50, 50)));
    auto* inChild = child->contentView()->addSubview(std::make_unique<CountingView>(Rect(0, 0, 50, 50)));
    auto* inOther = other->contentView()->addSubview(std::make_unique<CountingView>(Rect(0, 0, 50, 50)));
    other->orderFront();
    soon([&] {
        click(*inModal);
        click(*inChild);
        click(*inOther);
        NSApp().stopModal();
    });
    NSApp().runModalForWindow(*modal);
    EXPECT_EQ(inModal->downs, 1);
    EXPECT_EQ(inChild->downs, 1);
    EXPECT_EQ(inOther->downs, 0);
    // After the run everything gets input again.
    click(*inOther);
    EXPECT_EQ(inOther->downs, 1);
}
