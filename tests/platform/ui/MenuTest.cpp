#include "UiTestSupport.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MenuDelegate.h"
#include "platform/notifications/NotificationCenter.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;
using platform::Observation;

namespace {

class RecordingDelegate : public MenuDelegate {
public:
    void menuWillOpen(Menu&) override { events << QStringLiteral("will open"); }
    void menuDidClose(Menu&) override { events << QStringLiteral("did close"); }
    QStringList events;
};

// Runs `act` on the menu as its pop-up begins, before anything is shown.
class OnBeginTracking {
public:
    explicit OnBeginTracking(std::function<void(Menu&)> act)
    {
        observation_ = NotificationCenter::defaultCenter().addObserver(
            this, NSMenuDidBeginTrackingNotification, nullptr,
            [act](const Notification& n) { act(*n.objectAs<Menu>()); });
    }

private:
    Observation observation_;
};

} // namespace

TEST(MenuTest, TheChosenItemActsOnceTheMenuHasClosed)
{
    Menu menu;
    RecordingDelegate delegate;
    menu.setDelegate(&delegate);
    bool trackingWhenActing = true;
    menu.addItemWithTitle(QStringLiteral("One"), {}, QString());
    menu.addItemWithTitle(QStringLiteral("Two"), [&](MenuItem& sender) {
        trackingWhenActing = sender.menu()->isTracking();
        delegate.events << QStringLiteral("acted");
    }, QString());
    OnBeginTracking choose([](Menu& m) {
        EXPECT_TRUE(m.isTracking());
        m.performActionForItemAtIndex(1);
    });
    EXPECT_TRUE(menu.popUpMenuPositioningItem(menu.itemAtIndex(1), {10, 10}, nullptr));
    EXPECT_FALSE(trackingWhenActing);
    EXPECT_EQ(delegate.events, (QStringList{QStringLiteral("will open"), QStringLiteral("did close"),
                                            QStringLiteral("acted")}));
    EXPECT_FALSE(menu.isTracking());
}

TEST(MenuTest, CancelledOrDisabledChoicesDoNothing)
{
    Menu menu;
    int runs = 0;
    menu.addItemWithTitle(QStringLiteral("Acts"), [&](MenuItem&) { ++runs; }, QString());
    menu.addItemWithTitle(QStringLiteral("Idle"), {}, QString());
    {
        OnBeginTracking cancel([](Menu& m) { m.cancelTracking(); });
        EXPECT_FALSE(menu.popUpMenuPositioningItem(nullptr, {0, 0}, nullptr));
    }
    {
        OnBeginTracking chooseIdle([](Menu& m) {
            m.performActionForItemAtIndex(1); // disabled: not chosen, so the menu stays up...
            m.cancelTracking();               // ...until it is cancelled
        });
        EXPECT_FALSE(menu.popUpMenuPositioningItem(nullptr, {0, 0}, nullptr));
    }
    {
        // A second pop-up of a menu that is up is refused.
        bool nested = true;
        OnBeginTracking again([&](Menu& m) {
            if (!m.isTracking())
                return;
            nested = m.popUpMenuPositioningItem(nullptr, {0, 0}, nullptr);
            m.cancelTracking();
        });
        menu.popUpMenuPositioningItem(nullptr, {0, 0}, nullptr);
        EXPECT_FALSE(nested);
    }
    EXPECT_EQ(runs, 0);
}

TEST(MenuTest, PopsUpWithTheItemAtTheLocationAndGivesBackItsView)
{
    Window window(Rect(100, 100, 300, 200), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    window.orderFront();
    auto pane = std::make_unique<View>(Rect(0, 0, 120, 40));
    Menu menu;
    menu.addItemWithTitle(QStringLiteral("Above"), [](MenuItem&) {}, QString());
    MenuItem* target = menu.addItemWithTitle(QStringLiteral("Target"), [](MenuItem&) {}, QString());
    auto paneItem = std::make_unique<MenuItem>();
    paneItem->setView(pane.get());
    menu.addItem(std::move(paneItem));
    QPoint placed;
    int paneActions = 0;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(shown, nullptr);
        const QList<QAction*> actions = shown->actions();
        placed = shown->pos() + shown->actionGeometry(actions.at(1)).topLeft();
        paneActions = int(actions.size());
        menu.performActionForItemAtIndex(1);
    });
    EXPECT_TRUE(menu.popUpMenuPositioningItem(target, {10, 20}, window.contentView()));
    // (10, 20) in the content view is (110, 120) on the screen, measured from its bottom.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(placed, QPoint(110, screen.height() - 120));
    EXPECT_EQ(paneActions, 3);
    // The pane's view is its owner's again, in no widget.
    EXPECT_EQ(pane->widget()->parentWidget(), nullptr);
    EXPECT_EQ(pane->superview(), nullptr);
}
