#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/TitledWindow.h"
#include "platform/ui/WindowNotifications.h"

#include "TestPlatform.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace platform::ui;

namespace {

constexpr unsigned kAll = WindowStyleMaskClosable | WindowStyleMaskMiniaturizable | WindowStyleMaskResizable;


} // namespace

TEST(TitledWindowTest, ButtonsFollowTheStyleAndTheContentSitsBelowTheBar)
{
    test::TestPlatform platform;
    const struct {
        unsigned style;
        bool close, miniaturize, zoom, fullScreen;
    } cases[] = {
        {WindowStyleMaskTitled, false, false, false, false},
        {WindowStyleMaskClosable, true, false, false, false},
        {WindowStyleMaskMiniaturizable, false, true, false, false},
        {WindowStyleMaskResizable, false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        TitledWindow w(Rect(100, 100, 300, 200), c.style, BackingStoreType::Buffered, false);
        EXPECT_EQ(w.frame(), Rect(100, 100, 300, 222));
        EXPECT_EQ(w.contentView()->frame(), Rect(0, 0, 300, 200));
        EXPECT_EQ(w.standardWindowButton(WindowButton::Close)->isEnabled(), c.close);
        EXPECT_EQ(w.standardWindowButton(WindowButton::Miniaturize)->isEnabled(), c.miniaturize);
        EXPECT_EQ(w.standardWindowButton(WindowButton::Zoom)->isEnabled(), c.zoom);
        EXPECT_EQ(w.standardWindowButton(WindowButton::FullScreen)->isEnabled(), c.fullScreen);
    }
}

TEST(TitledWindowTest, FullScreenCoversTheScreenAndGivesTheFrameBack)
{
    test::TestPlatform platform;
    TitledWindow w(Rect(100, 100, 300, 200), kAll, BackingStoreType::Buffered, false);
    QStringList heard;
    auto observation = platform::NotificationCenter::defaultCenter().addObserver(
        &heard, QString(), &w, [&](const platform::Notification& n) {
            if (n.name.contains(QStringLiteral("FullScreen")))
                heard << n.name + (w.isFullScreen() ? QStringLiteral(" in") : QStringLiteral(" out"));
        });
    w.toggleFullScreen();
    EXPECT_EQ(w.frame(), Screen::mainScreen()->frame());
    EXPECT_EQ(w.contentView()->frame().height(), Screen::mainScreen()->frame().height() - 22);
    w.toggleFullScreen();
    EXPECT_EQ(w.frame(), Rect(100, 100, 300, 222));
    EXPECT_EQ(heard, QStringList({QStringLiteral("NSWindowWillEnterFullScreenNotification out"),
                                  QStringLiteral("NSWindowDidEnterFullScreenNotification in"),
                                  QStringLiteral("NSWindowWillExitFullScreenNotification in"),
                                  QStringLiteral("NSWindowDidExitFullScreenNotification out")}));
}

TEST(TitledWindowTest, TrafficLightsRollOverTogether)
{
    test::TestPlatform platform;
    TitledWindow w(Rect(100, 100, 300, 200), kAll, BackingStoreType::Buffered, false);
    w.orderFront();
    const auto names = [&w] {
        QStringList list;
        for (WindowButton kind : {WindowButton::Close, WindowButton::Miniaturize, WindowButton::Zoom})
            list << w.standardWindowButton(kind)->image().name().section(QLatin1Char('-'), -1);
        return list;
    };
    uitest::Mouse mouse(w);
    mouse.move({34, 211}); // over the minimise button
    EXPECT_EQ(names(), QStringList({QStringLiteral("hover"), QStringLiteral("hover"), QStringLiteral("hover")}));
    mouse.move({150, 100});
    EXPECT_EQ(names(), QStringList({QStringLiteral("inactive"), QStringLiteral("inactive"), QStringLiteral("inactive")}));
}

TEST(ViewOrderTest, SortedSubviewsDrawInTheirNewOrder)
{
    View parent(Rect(0, 0, 20, 20));
    const auto square = [&parent](double red) {
        return parent.addSubview(std::make_unique<uitest::DrawingView>(Rect(0, 0, 20, 20), false, [red] {
            Color::colorWithRed(red, 0, 1 - red, 1).setFill();
            NSRectFill(Rect(0, 0, 20, 20));
        }));
    };
    View* red = square(1);
    square(0);
    parent.sortSubviewsUsingFunction([](View* a, View* b, void* last) { return a == last ? 1 : b == last ? -1 : 0; }, red);
    EXPECT_EQ(parent.subviews().back(), red);
    EXPECT_TRUE(uitest::near(uitest::at(parent.renderToImage(), 10, 10), Qt::red));
}
