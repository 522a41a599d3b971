#include "AttachedWindowOutline.h"

#include <cmath>

using platform::ui::Point;
using platform::ui::Rect;

namespace {

bool isOneOf(int side, int a, int b)
{
    return side == a || side == b;
}

// The two lines of an arrow that starts at the current point `c` on the edge of `side`.
void appendArrow(std::vector<OutlineOperation>& ops, Point c, int side, const AttachedWindowMetrics& metrics,
                 double scale)
{
    if (!metrics.hasArrow)
        return;
    const double aw = metrics.arrowBaseWidth * scale;
    const double ah = metrics.arrowHeight * scale;
    Point tip = c, end = c;
    switch (side) {
    case AttachedSideBelow:
    case AttachedSideBelowLeftward:
    case AttachedSideBelowRightward:
        tip = {c.x + aw / 2, c.y + ah};
        end = {c.x + aw, c.y};
        break;
    case AttachedSideLeft:
    case AttachedSideLeftUpward:
    case AttachedSideLeftDownward:
        tip = {c.x + ah, c.y - aw / 2};
        end = {c.x, c.y - aw};
        break;
    case AttachedSideAbove:
    case AttachedSideAboveLeftward:
    case AttachedSideAboveRightward:
        tip = {c.x - aw / 2, c.y - ah};
        end = {c.x - aw, c.y};
        break;
    case AttachedSideRight:
    case AttachedSideRightUpward:
    case AttachedSideRightDownward:
        tip = {c.x - ah, c.y + aw / 2};
        end = {c.x, c.y + aw};
        break;
    default:
        break;
    }
    ops.push_back(OutlineOperation::lineTo(tip));
    ops.push_back(OutlineOperation::lineTo(end));
}

} // namespace

std::vector<OutlineOperation> AttachedWindowOutline::operations(const Rect& viewFrame, int side,
                                                                const AttachedWindowMetrics& metrics, double scale)
{
    const double s = scale;
    const double m = metrics.viewMargin * s;
    const double r = metrics.cornerRadius * s;
    const double aw = metrics.arrowBaseWidth * s;
    const Rect b(viewFrame.minX() - m, viewFrame.minY() - m, viewFrame.width() + 2 * m, viewFrame.height() + 2 * m);

    const double minX = std::ceil(b.minX() * s + 0.5);
    const double maxX = std::floor(b.maxX() * s - 0.5);
    const double minY = std::ceil(b.minY() * s + 0.5);
    const double maxY = std::floor(b.maxY() * s - 0.5);
    const double midX = b.midX() * s;
    const double midY = b.midY() * s;

    // A corner is square where an arrow starts at it and the corner beside it is not rounded.
    const bool square = !metrics.drawsRoundCornerBesideArrow;
    const bool topLeft = r > 0 && !(square && isOneOf(side, AttachedSideRightDownward, AttachedSideBelowRightward));
    const bool topRight = r > 0 && !(square && isOneOf(side, AttachedSideLeftDownward, AttachedSideBelowLeftward));
    const bool bottomRight = r > 0 && !(square && isOneOf(side, AttachedSideLeftUpward, AttachedSideAboveLeftward));
    const bool bottomLeft = r > 0 && !(square && isOneOf(side, AttachedSideRightUpward, AttachedSideAboveRightward));

    std::vector<OutlineOperation> ops;
    auto line = [&](Point p) { ops.push_back(OutlineOperation::lineTo(p)); };
    auto arrowFrom = [&](Point c) { appendArrow(ops, c, side, metrics, s); };

    // Top edge, left to right.
    const Point topStart{topLeft ? minX + r : minX, maxY};
    const double topEnd = topRight ? maxX - r : maxX;
    ops.push_back(OutlineOperation::moveTo(topStart));
    if (side == AttachedSideBelowRightward) {
        arrowFrom(topStart);
    } else if (side == AttachedSideBelowLeftward) {
        line({topEnd - aw, maxY});
        arrowFrom({topEnd - aw, maxY});
    } else if (side == AttachedSideBelow) {
        line({midX - aw / 2, maxY});
        arrowFrom({midX - aw / 2, maxY});
    }
    line({topEnd, maxY});
    if (topRight)
        ops.push_back(OutlineOperation::arc({maxX, maxY}, {maxX, maxY - r}, r));

    // Right edge, top to bottom.
    const Point rightStart{maxX, topRight ? maxY - r : maxY};
    const double rightEnd = bottomRight ? minY + r : minY;
    if (side == AttachedSideLeftDownward) {
        arrowFrom(rightStart);
    } else if (side == AttachedSideLeftUpward) {
        line({maxX, rightEnd + aw});
        arrowFrom({maxX, rightEnd + aw});
    } else if (side == AttachedSideLeft) {
        line({maxX, midY + aw / 2});
        arrowFrom({maxX, midY + aw / 2});
    }
    line({maxX, rightEnd});
    if (bottomRight)
        ops.push_back(OutlineOperation::arc({maxX, minY}, {maxX - r, minY}, r));

    // Bottom edge, right to left.
    const Point bottomStart{bottomRight ? maxX - r : maxX, minY};
    const double bottomEnd = bottomLeft ? minX + r : minX;
    if (side == AttachedSideAboveLeftward) {
        arrowFrom(bottomStart);
    } else if (side == AttachedSideAboveRightward) {
        line({bottomEnd + aw, minY});
        arrowFrom({bottomEnd + aw, minY});
    } else if (side == AttachedSideAbove) {
        line({midX + aw / 2, minY});
        arrowFrom({midX + aw / 2, minY});
    }
    line({bottomEnd, minY});
    if (bottomLeft)
        ops.push_back(OutlineOperation::arc({minX, minY}, {minX, minY + r}, r));

    // Left edge, bottom to top.
    const Point leftStart{minX, bottomLeft ? minY + r : minY};
    const double leftEnd = topLeft ? maxY - r : maxY;
    if (side == AttachedSideRightUpward) {
        arrowFrom(leftStart);
    } else if (side == AttachedSideRightDownward) {
        line({minX, leftEnd - aw});
        arrowFrom({minX, leftEnd - aw});
    } else if (side == AttachedSideRight) {
        line({minX, midY - aw / 2});
        arrowFrom({minX, midY - aw / 2});
    }
    line({minX, leftEnd});
    if (topLeft)
        ops.push_back(OutlineOperation::arc({minX, maxY}, {minX + r, maxY}, r));

    ops.push_back(OutlineOperation::close());
    return ops;
}

platform::ui::BezierPath AttachedWindowOutline::path(const std::vector<OutlineOperation>& operations)
{
    platform::ui::BezierPath path;
    path.setLineJoinStyle(platform::ui::LineJoinStyle::Round);
    for (const OutlineOperation& op : operations) {
        switch (op.kind) {
        case OutlineOperation::Kind::MoveTo: path.moveToPoint(op.point); break;
        case OutlineOperation::Kind::LineTo: path.lineToPoint(op.point); break;
        case OutlineOperation::Kind::ArcFromPoint:
            path.appendBezierPathWithArcFromPoint(op.point, op.toPoint, op.radius);
            break;
        case OutlineOperation::Kind::Close: path.closePath(); break;
        }
    }
    return path;
}
