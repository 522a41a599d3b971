#include "PopWindow/AttachedWindowOutline.h"

#include <gtest/gtest.h>

#include <vector>

using platform::ui::Point;
using platform::ui::Rect;
using Op = OutlineOperation;

namespace {

const Rect kViewFrame(1, 1, 300, 200); // a 300 × 200 view with the default margin

std::vector<Op> outline(int side, bool hasArrow = true, bool roundBesideArrow = true, double radius = 8,
                        const Rect& viewFrame = kViewFrame)
{
    AttachedWindowMetrics m;
    m.hasArrow = hasArrow;
    m.drawsRoundCornerBesideArrow = roundBesideArrow;
    m.cornerRadius = radius;
    return AttachedWindowOutline::operations(viewFrame, side, m, 1);
}

} // namespace

TEST(AttachedWindowOutlineTest, WorkedExampleWithAndWithoutTheArrowOrRadius)
{
    std::vector<Op> expected = {
        Op::moveTo({9, 201}),  Op::lineTo({143.5, 201}), Op::lineTo({151, 211}), Op::lineTo({158.5, 201}),
        Op::lineTo({293, 201}), Op::arc({301, 201}, {301, 193}, 8), Op::lineTo({301, 9}), Op::arc({301, 1}, {293, 1}, 8),
        Op::lineTo({9, 1}),    Op::arc({1, 1}, {1, 9}, 8),      Op::lineTo({1, 193}),  Op::arc({1, 201}, {9, 201}, 8),
        Op::close(),
    };
    EXPECT_EQ(outline(AttachedSideBelow), expected);
    expected.erase(expected.begin() + 2, expected.begin() + 4); // the arrow's two lines
    EXPECT_EQ(outline(AttachedSideBelow, false), expected);
    const std::vector<Op> square = outline(AttachedSideBelow, true, true, 0);
    EXPECT_EQ(square.front(), Op::moveTo({1, 201}));
    for (const Op& op : square)
        EXPECT_NE(op.kind, Op::Kind::ArcFromPoint);
}

TEST(AttachedWindowOutlineTest, CornerBesideACornerArrowIsSquareOnlyWhenAsked)
{
    // Square top-left corner: the arrow starts at minX, and the left edge ends without an arc.
    std::vector<Op> ops = outline(AttachedSideBelowRightward, true, false);
    EXPECT_EQ(std::vector<Op>(ops.begin(), ops.begin() + 3),
              (std::vector<Op>{Op::moveTo({1, 201}), Op::lineTo({8.5, 211}), Op::lineTo({16, 201})}));
    EXPECT_EQ(ops[ops.size() - 2], Op::lineTo({1, 201}));
    ops = outline(AttachedSideBelowRightward);
    EXPECT_EQ(std::vector<Op>(ops.begin(), ops.begin() + 2), (std::vector<Op>{Op::moveTo({9, 201}), Op::lineTo({16.5, 211})}));
    EXPECT_EQ(ops[ops.size() - 2], Op::arc({1, 201}, {9, 201}, 8));
}

TEST(AttachedWindowOutlineTest, EachArrowPointsAtItsAnchor)
{
    // The tip of the arrow, by side, for the body of the worked example (minX 1, maxX 301,
    // minY 1, maxY 201, middle (151, 101)); each lies in the strip on the anchor side.
    const Rect pastBottom(1, 11, 300, 200), pastLeft(11, 1, 300, 200);
    const struct {
        int side;
        Rect viewFrame;
        Point tip;
    } cases[] = {
        {AttachedSideBelow, kViewFrame, {151, 211}},         {AttachedSideBelowLeftward, kViewFrame, {285.5, 211}},
        {AttachedSideBelowRightward, kViewFrame, {16.5, 211}}, {AttachedSideLeft, kViewFrame, {311, 101}},
        {AttachedSideLeftUpward, kViewFrame, {311, 16.5}},   {AttachedSideLeftDownward, kViewFrame, {311, 185.5}},
        {AttachedSideAbove, pastBottom, {151, 1}},           {AttachedSideRight, pastLeft, {1, 101}},
        {AttachedSideRightUpward, pastLeft, {1, 16.5}},      {AttachedSideAboveRightward, pastBottom, {16.5, 1}},
    };
    for (const auto& c : cases) {
        const std::vector<Op> ops = outline(c.side, true, true, 8, c.viewFrame);
        EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [&](const Op& op) { return op.kind == Op::Kind::LineTo && op.point == c.tip; }))
            << "side " << c.side;
        // Move, 4 edge lines, 4 arcs, close and the arrow's 2 lines; one more line leads up to an
        // arrow that does not start at its edge's start.
        const bool atEdgeStart = c.side == AttachedSideBelowRightward || c.side == AttachedSideLeftDownward
            || c.side == AttachedSideRightUpward;
        EXPECT_EQ(ops.size(), atEdgeStart ? 12u : 13u) << "side " << c.side;
    }
    // Any other side: no arrow lines at all, however the flag is set.
    EXPECT_EQ(outline(AttachedSideAutomatic).size(), 10u);
}
