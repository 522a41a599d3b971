#include "EUProgressView.h"
#include "ProgressBarWidth.h"
#include "TMProgressView.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"
#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

#include <limits>

using namespace platform::ui;
using uitest::at;
using uitest::near;

namespace {

using ProgressViewTest = test::PlatformTest;

} // namespace

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
        ASSERT_EQ(view->subviews().size(), 1u);
        EXPECT_EQ(bar->frame(), Rect(0, 0, 0, view->frame().height())); // empty at first

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
    TMProgressView wide(Rect(0, 0, 400, 10));
    wide.changeProgressValue(39); // 156 points
    QImage image = wide.renderToImage();
    EXPECT_TRUE(near(at(image, 100, 5), QColor(0, 195, 248))) << at(image, 100, 5).name().toStdString();
    EXPECT_TRUE(near(at(image, 300, 5), QColor(225, 226, 235))); // the track beyond the bar
    wide.changeProgressValue(40); // 160 points
    image = wide.renderToImage();
    image.save(test::artifactPath(QStringLiteral("tm-progress-view-40.png")));
    EXPECT_TRUE(near(at(image, 100, 5), QColor(255, 192, 6)));

    // A track narrower than 160 points never turns amber, even when full.
    TMProgressView narrow(Rect(0, 0, 150, 10));
    narrow.changeProgressValue(100);
    EXPECT_TRUE(near(at(narrow.renderToImage(), 75, 5), QColor(0, 195, 248)));
}

TEST_F(ProgressViewTest, UninstallBarIsABlueGradientOnADarkTranslucentTrack)
{
    EUProgressView view(Rect(0, 0, 300, 10));
    view.changeProgressValue(50);
    const QImage image = view.renderToImage();
    image.save(test::artifactPath(QStringLiteral("eu-progress-view-50.png")));

    // The bar runs from light blue at its left to deep blue at its right.
    const QColor left = at(image, 4, 5), right = at(image, 145, 5);
    EXPECT_TRUE(near(left, QColor(79, 157, 254), 8)) << left.name().toStdString();
    EXPECT_TRUE(near(right, QColor(51, 98, 229), 8)) << right.name().toStdString();
    // The track: black at alpha 0.3, with rounded (clear) corners.
    EXPECT_TRUE(near(at(image, 250, 5), QColor(0, 0, 0, 77), 2));
    EXPECT_LT(at(image, 299, 0).alpha(), 20);
    EXPECT_LT(at(image, 0, 9).alpha(), 20);

    // No value yet: only the track shows.
    EUProgressView empty(Rect(0, 0, 300, 10));
    EXPECT_TRUE(near(at(empty.renderToImage(), 10, 5), QColor(0, 0, 0, 77), 2));
}
