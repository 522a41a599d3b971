#include "PopWindow/AttachedWindowGeometry.h"

#include <gtest/gtest.h>

using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::Size;
using G = AttachedWindowGeometry;

namespace {

const AttachedWindowMetrics kDefaults;
const Size kView{300, 200};
const Rect kScreen(0, 0, 1440, 900);

} // namespace

TEST(AttachedWindowGeometryTest, EverySideCodePlacesTheWindowAndTheViewPastTheStrip)
{
    const Point p{500, 400};
    const double d = 5, i = 15.5;
    const double wideW = 312, wideH = 202; // strip at a side
    const double tallW = 302, tallH = 212; // strip at the top or bottom
    const Rect plain(1, 1, 300, 200), pastLeft(11, 1, 300, 200), pastBottom(1, 11, 300, 200);
    struct Case {
        int side;
        Point origin;
        Size size;
        Rect view;
    };
    const Case cases[] = {
        {0, {p.x - wideW - d, p.y - wideH / 2}, {wideW, wideH}, plain},
        {4, {p.x - wideW - d, p.y - i}, {wideW, wideH}, plain},
        {5, {p.x - wideW - d, p.y - (wideH - i)}, {wideW, wideH}, plain},
        {2, {p.x + d, p.y - wideH / 2}, {wideW, wideH}, pastLeft},
        {6, {p.x + d, p.y - i}, {wideW, wideH}, pastLeft},
        {7, {p.x + d, p.y - (wideH - i)}, {wideW, wideH}, pastLeft},
        {1, {p.x - tallW / 2, p.y - tallH - d}, {tallW, tallH}, plain},
        {10, {p.x - (tallW - i), p.y - tallH - d}, {tallW, tallH}, plain},
        {11, {p.x - i, p.y - tallH - d}, {tallW, tallH}, plain},
        {3, {p.x - tallW / 2, p.y + d}, {tallW, tallH}, pastBottom},
        {8, {p.x - (tallW - i), p.y + d}, {tallW, tallH}, pastBottom},
        {9, {p.x - i, p.y + d}, {tallW, tallH}, pastBottom},
        {12, p, {tallW, wideH}, plain}, // not resolved: at the anchor, no strip
        {-1, p, {tallW, wideH}, plain},
        {99, p, {tallW, wideH}, plain},
    };
    for (const Case& c : cases) {
        const auto placement = G::placement(kView, p, c.side, float(d), kDefaults, 1);
        EXPECT_EQ(placement.windowFrame, Rect(c.origin, c.size)) << "side " << c.side;
        EXPECT_EQ(placement.viewFrame, c.view) << "side " << c.side;
    }
}

TEST(AttachedWindowGeometryTest, ArrowInsetFollowsTheCornerFlagAndScale)
{
    AttachedWindowMetrics m;
    EXPECT_EQ(G::arrowInset(m, 1), 15.5);
    m.drawsRoundCornerBesideArrow = false;
    EXPECT_EQ(G::arrowInset(m, 1), 7.5);
    EXPECT_EQ(G::arrowInset(m, 2), 15);
    m.arrowBaseWidth = 0.1; // formed in single precision
    EXPECT_EQ(G::arrowInset(m, 1), double(0.05f));
}

TEST(AttachedWindowGeometryTest, AutomaticChoiceFallsThroughTheSides)
{
    // The worked example: right, reaching up.
    const auto placement = G::placement(kView, {100, 50}, AttachedSideRightUpward, 5, kDefaults, 1);
    EXPECT_EQ(placement.windowFrame, Rect(105, 34.5, 312, 202));
    EXPECT_EQ(placement.viewFrame, Rect(11, 1, 300, 200));
    const Rect narrow(0, 0, 400, 900), tiny(0, 0, 100, 100), low(0, 0, 1440, 300), flat(0, 0, 1440, 200);
    const std::tuple<Point, Rect, Rect, int> cases[] = {
        {{100, 50}, kScreen, kScreen, AttachedSideRightUpward},
        {{720, 600}, kScreen, kScreen, AttachedSideBelow},           // room below: below, centred
        {{100, 600}, kScreen, kScreen, AttachedSideBelowRightward},  // centred, it would stick out left of the screen
        {{1380, 600}, kScreen, kScreen, AttachedSideBelowLeftward},  // ... or right of the anchor window's frame
        {{1300, 50}, kScreen, kScreen, AttachedSideLeftUpward},      // too low for below, no room at the right:
        {{1300, 200}, kScreen, kScreen, AttachedSideLeft},           // left, then the refinement
        {{200, 100}, narrow, narrow, AttachedSideAbove},             // no room below, right or left, but above
        {{50, 50}, tiny, tiny, AttachedSideBelow},                   // no room anywhere: below, the last resort
        {{100, 200}, kScreen, low, AttachedSideRightDownward},       // centred, it sticks out above the reference
        {{100, 50}, flat, flat, AttachedSideRight},                  // the failing test keeps the first choice
        {{0, 0}, Rect(), Rect(), AttachedSideBelow},                 // no screen: a zero visible frame
    };
    for (const auto& [anchor, screen, reference, side] : cases)
        EXPECT_EQ(G::bestSideForAutomaticPosition(kView, anchor, 5, kDefaults, 1, screen, reference), side)
            << anchor.x << "," << anchor.y;
}

TEST(AttachedWindowGeometryTest, SettersClampAgainstTheViewFrame)
{
    EXPECT_EQ(G::clampedBorderWidth(3, 1), 1); // no wider than the margin
    EXPECT_EQ(G::clampedBorderWidth(-1, 1), -1);
    EXPECT_EQ(G::clampedViewMargin(-2), 0);
    EXPECT_EQ(G::clampedViewMargin(4), 4);
    const std::pair<double, double> radii[] = {{500, 93.5}, {-3, 0}, {8, 8}}; // at most (200 + 2 - 15) / 2
    for (const auto& [asked, kept] : radii)
        EXPECT_EQ(G::clampedCornerRadius(asked, kView, 1, 15), kept) << asked;
    EXPECT_EQ(G::clampedArrowBaseWidth(500, kView, 1, 8, true), 186);
    EXPECT_EQ(G::clampedArrowBaseWidth(500, kView, 1, 8, false), 194);
    EXPECT_EQ(G::clampedArrowBaseWidth(-4, kView, 1, 8, true), -4);
    // Before the view's size is known every limit is tiny: the radius would vanish.
    EXPECT_EQ(G::clampedCornerRadius(8, Size{0, 0}, 1, 15), 0);
    EXPECT_EQ(G::clampedArrowBaseWidth(15, Size{0, 0}, 1, 0, true), 2);
}
