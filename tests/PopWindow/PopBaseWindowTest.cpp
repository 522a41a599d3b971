#include "PopWindow/PopBaseWindow.h"

#include "TestPlatform.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/WindowNotifications.h"

#include <gtest/gtest.h>

using namespace platform::ui;

TEST(PopBaseWindowTest, ClosesOnceAndIsMainNoMoreOnceGone)
{
    test::TestPlatform platform;
    auto window = std::make_unique<PopBaseWindow>(Rect(10, 20, 300, 200), 0, BackingStoreType::Buffered, false);
    window->makeKeyAndOrderFront();
    // Closing hears its own will-close twice (as delegate and as observer) and still closes once.
    int willClose = 0;
    platform::Observation counting = platform::NotificationCenter::defaultCenter().addObserver(
        nullptr, NSWindowWillCloseNotification, window.get(), [&](const platform::Notification&) { ++willClose; });
    window->close();
    EXPECT_EQ(willClose, 1);
    EXPECT_FALSE(window->isVisible());

    window->makeKeyAndOrderFront();
    EXPECT_TRUE(window->isMainWindow());
    window.reset();
    EXPECT_EQ(NSApp().mainWindow(), nullptr);
}
