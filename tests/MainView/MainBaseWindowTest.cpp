#include "MainView/MainBaseWindow.h"

#include "IsolatedEnvironment.h"
#include "PlatformTest.h"
#include "UiTestSupport.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/WindowNotifications.h"

using namespace platform::ui;
using platform::NotificationCenter;
using uitest::at;
using uitest::near;

using MainBaseWindowTest = test::PlatformTest;

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
    platform::Observation counting = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowWillCloseNotification, &window, [&](const platform::Notification&) { ++willClose; });
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
    const QColor panel(255, 255, 255, 26); // white at alpha 0.1
    // Larger than the panel: the panel sits at the bottom left, the rest is clear.
    QImage image = MainBaseWindow(Rect(0, 0, 600, 700), 0, BackingStoreType::Buffered, false).renderToImage();
    image.save(test::artifactPath(QStringLiteral("main-base-window-600x700.png")));
    EXPECT_TRUE(near(at(image, 240, 300), panel)) << at(image, 240, 300).name(QColor::HexArgb).toStdString();
    EXPECT_TRUE(near(at(image, 479, 300), panel, 14)); // the right edge of the panel
    EXPECT_EQ(at(image, 490, 300).alpha(), 0);
    EXPECT_EQ(at(image, 240, 610).alpha(), 0);
    EXPECT_EQ(at(image, 0, 0).alpha(), 0); // a rounded corner

    // Smaller than the panel: the panel is cut off at the window's edges.
    image = MainBaseWindow(Rect(0, 0, 300, 200), 0, BackingStoreType::Buffered, false).renderToImage();
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_TRUE(near(at(image, 299, 199), panel));
}
