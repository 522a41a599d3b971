#include "MainBaseWindow.h"
#include "MainTypeSelectView.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"
#include "IsolatedEnvironment.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/WindowNotifications.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;
using platform::Observation;
using uitest::near;

namespace {

using MainBaseWindowTest = test::PlatformTest;
using uitest::at;

const QColor kPanel(255, 255, 255, 26); // white at alpha 0.1

} // namespace

TEST_F(MainBaseWindowTest, BecomesMainAndClosesOnce)
{
    MainBaseWindow window(Rect(10, 20, 480, 600), WindowStyleMaskTitled | WindowStyleMaskClosable,
                          BackingStoreType::Buffered, false);
    EXPECT_EQ(window.styleMask(), unsigned(WindowStyleMaskResizable)); // the caller's mask is not used
    window.makeKeyAndOrderFront();
    EXPECT_TRUE(window.isMainWindow());

    // Closing hears its own will-close, stops listening and closes once; a second close and a
    // later restore from the Dock reach nothing that is gone.
    const int before = NotificationCenter::defaultCenter().observationCount();
    int willClose = 0;
    Observation counting = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowWillCloseNotification, &window, [&](const Notification&) { ++willClose; });
    window.close();
    EXPECT_EQ(willClose, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(NotificationCenter::defaultCenter().observationCount(), before + 1 - 2);
    window.makeKeyAndOrderFront();
    window.close();
    EXPECT_EQ(willClose, 2);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainBaseWindowTest, BackgroundIsA480By600PanelWhateverTheWindowSize)
{
    // Larger than the panel: the panel sits at the bottom left, the rest is clear.
    MainBaseWindow large(Rect(0, 0, 600, 700), 0, BackingStoreType::Buffered, false);
    const Image pattern = large.backgroundColor().patternImage();
    EXPECT_EQ(pattern.size(), (Size{600, 700}));
    QImage image = large.renderToImage();
    image.save(test::artifactPath(QStringLiteral("main-base-window-600x700.png")));
    EXPECT_TRUE(near(at(image, 240, 300), kPanel)) << at(image, 240, 300).name(QColor::HexArgb).toStdString();
    EXPECT_TRUE(near(at(image, 479, 300), kPanel, 14)); // the right edge of the panel
    EXPECT_EQ(at(image, 490, 300).alpha(), 0);
    EXPECT_EQ(at(image, 240, 610).alpha(), 0);
    EXPECT_EQ(at(image, 0, 0).alpha(), 0);     // the rounded corners
    EXPECT_EQ(at(image, 479, 599).alpha(), 0);

    // Smaller than the panel: the panel is cut off at the window's edges (only the bottom
    // left corner is rounded).
    MainBaseWindow small(Rect(0, 0, 300, 200), 0, BackingStoreType::Buffered, false);
    image = small.renderToImage();
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_TRUE(near(at(image, 299, 199), kPanel));
    EXPECT_EQ(at(image, 0, 0).alpha(), 0);
}

TEST_F(MainBaseWindowTest, SelectionMarkerIsABlueRoundedBar)
{
    MainTypeSelectView marker(Rect(0, 0, 4, 30));
    const QImage image = marker.renderToImage();
    image.save(test::artifactPath(QStringLiteral("main-type-select-view.png")));
    EXPECT_TRUE(near(at(image, 2, 15), QColor(39, 124, 226)));
    EXPECT_LT(at(image, 0, 0).alpha(), 255); // radius 1 softens the corner
}
