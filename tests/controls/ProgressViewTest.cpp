#include "controls/EUProgressView.h"
#include "controls/ProgressBarWidth.h"
#include "controls/TMProgressView.h"
#include "UiTestSupport.h"
#include "PlatformTest.h"
#include "IsolatedEnvironment.h"
#include <gtest/gtest.h>
#include <limits>

using namespace platform::ui;
using uitest::at;
using uitest::near;

using ProgressViewTest = test::PlatformTest;

TEST(ProgressBarWidthTest, ShareOfTheTrackWithTheLastPointFilledAndNoNegativeBar)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    const struct {
        float track, percent, width;
    } cases[] = {
        {300, 0, 0}, {300, 50, 150}, {300, 150, 300}, {300, inf, 300},
        {300, 99.7f, 300}, // 299.1 lies within a point of the end
        {100, 99, 99}, {2, 50, 1}, // a whole point short is not full
        {300, -0.1f, 0}, {300, -inf, 0}, {300, std::numeric_limits<float>::quiet_NaN(), 0}, // never negative
        {0.5f, 10, 0.5f}, {0, 50, 0}, {-20, 50, 0}, // tracks too narrow to matter, or none
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressBarWidth(c.track, c.percent), c.width) << c.track << " " << c.percent;
    EXPECT_NEAR(progressBarWidth(300, 99.6f), 298.8f, 1e-3);
}

TEST_F(ProgressViewTest, BothViewsSizeTheirBarAndStretchItWithTheTrack)
{
    EUProgressView eu(Rect(10, 20, 300, 8));
    TMProgressView tm(Rect(0, 0, 300, 6));
    for (BarProgressView* view : {static_cast<BarProgressView*>(&eu), static_cast<BarProgressView*>(&tm)}) {
        View* bar = view->progressBar();
        view->changeProgressValue(99.7f);
        EXPECT_EQ(bar->frame(), Rect(0, 0, 300, view->frame().height()));
        view->changeProgressValue(-30);
        EXPECT_EQ(bar->frame().width(), 0);
        view->changeProgressValue(50);
        EXPECT_EQ(bar->frame().width(), 150);
        // Resizing keeps the bar's share until the next value.
        view->setFrameSize({400, view->frame().height()});
        EXPECT_DOUBLE_EQ(bar->frame().width(), 200);
        view->changeProgressValue(25);
        EXPECT_EQ(bar->frame().width(), 100);
    }
}

TEST_F(ProgressViewTest, TaskBarTurnsAmberAtOneHundredSixtyPointsWhateverTheShare)
{
    const auto colourAt = [](double track, float percent, int x) {
        TMProgressView view(Rect(0, 0, track, 10));
        view.changeProgressValue(percent);
        return at(view.renderToImage(), x, 5);
    };
    EXPECT_TRUE(near(colourAt(400, 39, 100), QColor(0, 195, 248))); // 156 points
    EXPECT_TRUE(near(colourAt(400, 39, 300), QColor(225, 226, 235))); // the track beyond the bar
    EXPECT_TRUE(near(colourAt(400, 40, 100), QColor(255, 192, 6)));   // 160 points
    // A track narrower than 160 points never turns amber, even when full.
    EXPECT_TRUE(near(colourAt(150, 100, 75), QColor(0, 195, 248)));
}
