#include "UiTestSupport.h"

#include "platform/ui/Application.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/WindowNotifications.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;
using platform::Observation;

namespace {

std::unique_ptr<Window> makeWindow(double x = 100)
{
    return uitest::makeWindow(Rect(x, 100, 200, 100));
}

// Runs `step` as soon as the innermost event loop turns.
void soon(std::function<void()> step)
{
    QTimer::singleShot(0, qApp, std::move(step));
}

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
    QStringList trace;
    soon([&] {
        soon([&] {
            trace << QStringLiteral("inner running");
            NSApp().stopModal();
            NSApp().stopModal(); // the inner run is already stopped: the outer one goes on
        });
        NSApp().runModalForWindow(*inner);
        trace << QStringLiteral("inner returned");
        EXPECT_EQ(NSApp().modalWindow(), outer.get());
        soon([&] {
            trace << QStringLiteral("outer still running");
            NSApp().stopModal();
        });
    });
    EXPECT_EQ(NSApp().runModalForWindow(*outer), NSModalResponseStop);
    EXPECT_EQ(trace, (QStringList{QStringLiteral("inner running"), QStringLiteral("inner returned"),
                                  QStringLiteral("outer still running")}));
    EXPECT_EQ(NSApp().modalWindow(), nullptr);
    NSApp().stopModal(); // no run: nothing happens
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
    NSApp().stopModalForWindow(*outer); // no run for it: nothing
}

TEST(ModalRunTest, ARunStoppedBeforeItsLoopStartsReturnsAtOnce)
{
    auto window = makeWindow();
    // The window becomes key as the run shows it; stopping right then must not be lost.
    Observation stopOnKey = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowDidBecomeKeyNotification, window.get(), [](const Notification&) { NSApp().stopModal(); });
    EXPECT_EQ(NSApp().runModalForWindow(*window), NSModalResponseStop);
}

TEST(ModalRunTest, DestroyingTheModalWindowEndsItsRun)
{
    auto window = makeWindow();
    soon([&] { window.reset(); });
    NSApp().runModalForWindow(*window);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(NSApp().modalWindow(), nullptr);
    EXPECT_EQ(NSApp().keyWindow(), nullptr);
}

TEST(ModalRunTest, OnlyTheModalWindowAndItsChildrenGetInput)
{
    auto modal = makeWindow();
    auto other = makeWindow(400);
    auto child = makeWindow(200);
    auto grandchild = makeWindow(250);
    auto otherChild = makeWindow(450);
    auto dropped = makeWindow(500);
    modal->addChildWindow(*child, WindowOrderingMode::Above);
    child->addChildWindow(*grandchild, WindowOrderingMode::Above);
    other->addChildWindow(*otherChild, WindowOrderingMode::Above);
    modal->addChildWindow(*dropped, WindowOrderingMode::Above);
    modal->removeChildWindow(*dropped);
    const struct {
        const char* name;
        Window* window;
        int downs;
    } cases[] = {
        {"modal", modal.get(), 1},           {"child of the modal", child.get(), 1},
        {"its child", grandchild.get(), 1},  {"unrelated", other.get(), 0},
        {"child of another", otherChild.get(), 0}, {"removed child", dropped.get(), 0},
    };
    std::vector<CountingView*> views;
    for (const auto& c : cases) {
        views.push_back(c.window->contentView()->addSubview(std::make_unique<CountingView>(Rect(0, 0, 50, 50))));
        c.window->orderFront();
    }
    soon([&] {
        for (CountingView* view : views)
            click(*view);
        NSApp().stopModal();
    });
    NSApp().runModalForWindow(*modal);
    for (std::size_t i = 0; i < views.size(); ++i)
        EXPECT_EQ(views[i]->downs, cases[i].downs) << cases[i].name;
    click(*views[3]); // after the run everything gets input again
    EXPECT_EQ(views[3]->downs, 1);
}

TEST(ModalRunTest, AChildOutlivingItsParentIsNoLongerAttached)
{
    auto parent = makeWindow(), child = makeWindow(300), other = makeWindow(500);
    parent->addChildWindow(*child, WindowOrderingMode::Above);
    other->addChildWindow(*child, WindowOrderingMode::Above); // one parent at a time
    EXPECT_TRUE(parent->childWindows().empty());
    other.reset();
    EXPECT_EQ(child->parentWindow(), nullptr);
    parent->addChildWindow(*child, WindowOrderingMode::Above);
    child.reset();
    EXPECT_TRUE(parent->childWindows().empty());
}
