#include "PopBaseWindow.h"

#include "TestPlatform.h"

#include "platform/ui/Application.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/WindowNotifications.h"

#include <gtest/gtest.h>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;

TEST(PopBaseWindowTest, BorderlessMovableAndItsOwnDelegate)
{
    test::TestPlatform platform;
    PopBaseWindow window(Rect(10, 20, 300, 200), WindowStyleMaskTitled | WindowStyleMaskClosable,
                         BackingStoreType::Buffered, false);
    EXPECT_EQ(window.styleMask(), unsigned(WindowStyleMaskResizable)); // the caller's mask is not used

    window.setTitle(QStringLiteral("Uninstall"));
    window.makeKeyAndOrderFront();
    EXPECT_TRUE(window.isMainWindow());

    // Closing hears its own will-close twice (as delegate and as observer) and still closes once.
    int willClose = 0;
    platform::Observation counting = NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowWillCloseNotification, &window, [&](const Notification&) { ++willClose; });
    window.close();
    EXPECT_EQ(willClose, 1);
    EXPECT_FALSE(window.isVisible());
}

TEST(PopBaseWindowTest, AWindowThatIsGoneIsMainNoMore)
{
    test::TestPlatform platform;
    {
        PopBaseWindow window(Rect(0, 0, 100, 100), 0, BackingStoreType::Buffered, false);
        window.setTitle(QStringLiteral("Gone"));
        window.makeKeyAndOrderFront();
    }
    EXPECT_EQ(NSApp().mainWindow(), nullptr);
}
