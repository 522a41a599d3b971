#include "AttachedWindowOutline.h"

#include <gtest/gtest.h>

#include <vector>

using platform::ui::Point;
using platform::ui::Rect;
using Op = OutlineOperation;

namespace {

const Rect kViewFrame(1, 1, 300, 200); // a 300 × 200 view with the default margin

AttachedWindowMetrics withArrow(bool hasArrow)
{
    AttachedWindowMetrics m;
    m.hasArrow = hasArrow;
    return m;
}

std::vector<Op> withoutArrowLines(std::vector<Op> ops)
{
    // The two arrow lines of the worked example are operations 2 and 3.
    ops.erase(ops.begin() + 2, ops.begin() + 4);
    return ops;
}

const std::vector<Op> kWorkedExample = {
    Op::moveTo({9, 201}),
    Op::lineTo({143.5, 201}),
    Op::lineTo({151, 211}),
    Op::lineTo({158.5, 201}),
    Op::lineTo({293, 201}),
    Op::arc({301, 201}, {301, 193}, 8),
    Op::lineTo({301, 9}),
    Op::arc({301, 1}, {293, 1}, 8),
    Op::lineTo({9, 1}),
    Op::arc({1, 1}, {1, 9}, 8),
    Op::lineTo({1, 193}),
    Op::arc({1, 201}, {9, 201}, 8),
    Op::close(),
};

} // namespace

TEST(AttachedWindowOutlineTest, WorkedExampleWithAndWithoutTheArrow)
{
    EXPECT_EQ(AttachedWindowOutline::operations(kViewFrame, AttachedSideBelow, withArrow(true), 1), kWorkedExample);
    EXPECT_EQ(AttachedWindowOutline::operations(kViewFrame, AttachedSideBelow, withArrow(false), 1),
              withoutArrowLines(kWorkedExample));
}

TEST(AttachedWindowOutlineTest, CornerBesideACornerArrowIsSquareOnlyWhenAsked)
{
    AttachedWindowMetrics m = withArrow(true);
    m.drawsRoundCornerBesideArrow = false;
    std::vector<Op> ops = AttachedWindowOutline::operations(kViewFrame, AttachedSideBelowRightward, m, 1);
    // Square top-left corner: the arrow starts at minX, and the left edge ends without an arc.
    EXPECT_EQ(ops[0], Op::moveTo({1, 201}));
    EXPECT_EQ(ops[1], Op::lineTo({8.5, 211}));
    EXPECT_EQ(ops[2], Op::lineTo({16, 201}));
    EXPECT_EQ(ops[ops.size() - 2], Op::lineTo({1, 201}));

    m.drawsRoundCornerBesideArrow = true;
    ops = AttachedWindowOutline::operations(kViewFrame, AttachedSideBelowRightward, m, 1);
    EXPECT_EQ(ops[0], Op::moveTo({9, 201}));
    EXPECT_EQ(ops[1], Op::lineTo({16.5, 211}));
    EXPECT_EQ(ops[ops.size() - 2], Op::arc({1, 201}, {9, 201}, 8));
}

TEST(AttachedWindowOutlineTest, EachArrowPointsAtItsAnchor)
{
    // The tip of the arrow, by side, for the body of the worked example (minX 1, maxX 301,
    // minY 1, maxY 201, middle (151, 101)); each lies in the strip on the anchor side.
    struct Case {
        int side;
        Rect viewFrame;
        Point tip;
    };
    const Case cases[] = {
        {AttachedSideBelow, kViewFrame, {151, 211}},
        {AttachedSideBelowLeftward, kViewFrame, {285.5, 211}},
        {AttachedSideBelowRightward, kViewFrame, {16.5, 211}},
        {AttachedSideLeft, kViewFrame, {311, 101}},
        {AttachedSideLeftUpward, kViewFrame, {311, 16.5}},
        {AttachedSideLeftDownward, kViewFrame, {311, 185.5}},
        {AttachedSideAbove, Rect(1, 11, 300, 200), {151, 1}},
        {AttachedSideRight, Rect(11, 1, 300, 200), {1, 101}},
        {AttachedSideRightUpward, Rect(11, 1, 300, 200), {1, 16.5}},
        {AttachedSideAboveRightward, Rect(1, 11, 300, 200), {16.5, 1}},
    };
    for (const Case& c : cases) {
        const std::vector<Op> ops = AttachedWindowOutline::operations(c.viewFrame, c.side, withArrow(true), 1);
        bool found = false;
        for (const Op& op : ops)
            found = found || (op.kind == Op::Kind::LineTo && op.point == c.tip);
        EXPECT_TRUE(found) << "side " << c.side;
        // Move, 4 edge lines, 4 arcs, close and the arrow's 2 lines; one more line leads up to an
        // arrow that does not start at its edge's start.
        const bool atEdgeStart = c.side == AttachedSideBelowRightward || c.side == AttachedSideLeftDownward
            || c.side == AttachedSideRightUpward;
        EXPECT_EQ(ops.size(), atEdgeStart ? 12u : 13u) << "side " << c.side;
    }
    // Any other side: no arrow lines at all, however the flag is set.
    EXPECT_EQ(AttachedWindowOutline::operations(kViewFrame, AttachedSideAutomatic, withArrow(true), 1).size(), 10u);
}

TEST(AttachedWindowOutlineTest, NoRadiusMeansSquareCorners)
{
    AttachedWindowMetrics m;
    m.cornerRadius = 0;
    const std::vector<Op> ops = AttachedWindowOutline::operations(kViewFrame, AttachedSideBelow, m, 1);
    for (const Op& op : ops)
        EXPECT_NE(op.kind, Op::Kind::ArcFromPoint);
    EXPECT_EQ(ops.front(), Op::moveTo({1, 201}));
}
