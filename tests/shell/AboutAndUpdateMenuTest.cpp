#include "StartMenuFixture.h"
#include "UiTestSupport.h"

#include "shell/AboutViewController.h"
#include "shell/AppDelegate.h"
#include "action/EUCheckUpdateViewController.h"
#include "controls/EUHandButton.h"
#include "controls/TextImageButton.h"
#include "IsolatedEnvironment.h"
#include "shell/MainMenu.h"

#include "platform/ui/Application.h"

#include <QTimer>

using namespace platform::ui;

namespace {

class AboutAndUpdateMenuTest : public StartMenuFixture {
protected:
    // Chooses the menu item; `inside` runs while the dialog it shows is up, which is then closed.
    bool choose(int item, const std::function<void(Window&)>& inside = {})
    {
        bool shown = false;
        QTimer::singleShot(0, qApp, [&] {
            if (Window* window = NSApp().modalWindow()) {
                shown = true;
                if (inside)
                    inside(*window);
                if (NSApp().modalWindow() == window)
                    window->close();
            }
        });
        mainInterface_.applicationMenu().performActionForItemAtIndex(item);
        return shown;
    }

    test::FakeHttpClient* http_ = test::install<test::FakeHttpClient>(platform_->httpClient); // no network
    MainMenu mainInterface_;
    AppDelegate& delegate_ = mainInterface_.appDelegate();
};

} // namespace

TEST_F(AboutAndUpdateMenuTest, TheAboutBoxIsMadeOnceRendersAndLinksToTheProductPage)
{
    EXPECT_TRUE(choose(0, [&](Window& window) {
        window.renderToImage().save(test::artifactPath(QStringLiteral("about-box.png")));
        delegate_.aboutVC()->aboutlink()->performClick();
    }));
    AboutViewController* first = delegate_.aboutVC();
    EXPECT_TRUE(choose(0, [&](Window&) { first->closeButton()->performClick(); }));
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
    EXPECT_EQ(delegate_.aboutVC(), first);
    ASSERT_EQ(workspace_->requests().size(), 1);
    EXPECT_EQ(workspace_->requests()[0].target, QStringLiteral("https://www.brenlow.com/mac-start-menu/tavrin-for-mac.html"));
}

TEST_F(AboutAndUpdateMenuTest, CheckForUpdatesChecksOnceAndShowsNoNetworkWhenTheProbeFails)
{
    EXPECT_TRUE(choose(1));
    EUCheckUpdateViewController* controller = delegate_.checkUpdateWC();
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(platform_.dispatcher().drainAll(), 1);
    EXPECT_EQ(controller->state(), EUCheckUpdateViewController::State::NoNetwork);
    EXPECT_TRUE(choose(1, [&](Window&) { EXPECT_FALSE(controller->noNetworkView()->isHiddenOrHasHiddenAncestor()); }));
    EXPECT_EQ(delegate_.checkUpdateWC(), controller);
    EXPECT_EQ(platform_.dispatcher().drainAll(), 0);
}
