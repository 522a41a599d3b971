#include "AttachedWindowGeometry.h"

#include <algorithm>

using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::Size;

namespace {

// Lengths that the window works out in single precision.
double single(double value)
{
    return double(float(value));
}

} // namespace

double AttachedWindowGeometry::arrowInset(const AttachedWindowMetrics& metrics, double scale)
{
    const double corner = metrics.drawsRoundCornerBesideArrow ? metrics.cornerRadius : 0;
    return single((metrics.arrowBaseWidth * 0.5 + corner) * scale);
}

AttachedWindowGeometry::Placement AttachedWindowGeometry::placement(Size viewSize, Point anchor, int side,
                                                                    float distance,
                                                                    const AttachedWindowMetrics& metrics,
                                                                    double scale)
{
    const double m = metrics.viewMargin * scale;
    const double ah = metrics.arrowHeight * scale;
    Rect viewFrame(m, m, viewSize.width, viewSize.height);
    double w = viewSize.width + 2 * m;
    double h = viewSize.height + 2 * m;
    switch (side) {
    case AttachedSideLeft:
    case AttachedSideLeftUpward:
    case AttachedSideLeftDownward:
        w += ah;
        break;
    case AttachedSideRight:
    case AttachedSideRightUpward:
    case AttachedSideRightDownward:
        w += ah;
        viewFrame.origin.x += ah;
        break;
    case AttachedSideBelow:
    case AttachedSideBelowLeftward:
    case AttachedSideBelowRightward:
        h += ah;
        break;
    case AttachedSideAbove:
    case AttachedSideAboveLeftward:
    case AttachedSideAboveRightward:
        h += ah;
        viewFrame.origin.y += ah;
        break;
    default:
        break;
    }

    const double i = arrowInset(metrics, scale);
    const double d = distance;
    const double px = anchor.x, py = anchor.y;
    Point origin{px, py};
    switch (side) {
    case AttachedSideLeft: origin = {px - w - d, py - single(h / 2)}; break;
    case AttachedSideLeftUpward: origin = {px - w - d, py - i}; break;
    case AttachedSideLeftDownward: origin = {px - w - d, py - (h - i)}; break;
    case AttachedSideRight: origin = {px + d, py - single(h / 2)}; break;
    case AttachedSideRightUpward: origin = {px + d, py - i}; break;
    case AttachedSideRightDownward: origin = {px + d, py - (h - i)}; break;
    case AttachedSideBelow: origin = {px - single(w / 2), py - h - d}; break;
    case AttachedSideBelowLeftward: origin = {px - (w - i), py - h - d}; break;
    case AttachedSideBelowRightward: origin = {px - i, py - h - d}; break;
    case AttachedSideAbove: origin = {px - single(w / 2), py + d}; break;
    case AttachedSideAboveLeftward: origin = {px - (w - i), py + d}; break;
    case AttachedSideAboveRightward: origin = {px - i, py + d}; break;
    default: break;
    }
    return {Rect(origin, {w, h}), viewFrame};
}

int AttachedWindowGeometry::bestSideForAutomaticPosition(Size viewSize, Point anchor, float distance,
                                                         const AttachedWindowMetrics& metrics, double scale,
                                                         const Rect& v, const Rect& f)
{
    const double m = metrics.viewMargin * scale;
    const double w = viewSize.width + 2 * m;
    const double h = viewSize.height + 2 * m;
    const double e = single(distance + metrics.arrowHeight * scale);
    const double px = anchor.x, py = anchor.y;

    int side;
    if (py - h - e >= v.minY())
        side = AttachedSideBelow;
    else if (px + w + e < v.maxX())
        side = AttachedSideRight;
    else if (px - w - e >= v.minX())
        side = AttachedSideLeft;
    else if (py + h + e < v.maxY())
        side = AttachedSideAbove;
    else
        side = AttachedSideBelow;

    const double i = arrowInset(metrics, scale);
    const double halfW = single(w / 2);
    const double halfH = single(h / 2);
    if (side == AttachedSideLeft || side == AttachedSideRight) {
        const bool left = side == AttachedSideLeft;
        if (f.minY() > py - halfH) {
            if (v.maxY() > py + h - i)
                side = left ? AttachedSideLeftUpward : AttachedSideRightUpward;
        } else if (py + halfH >= f.maxY() && py - h + i >= v.minY()) {
            side = left ? AttachedSideLeftDownward : AttachedSideRightDownward;
        }
    } else {
        const bool below = side == AttachedSideBelow;
        if (f.minX() > px - halfW) {
            if (v.maxX() > px + w - i)
                side = below ? AttachedSideBelowRightward : AttachedSideAboveRightward;
        } else if (px + halfW >= f.maxX() && px - w + i >= v.minX()) {
            side = below ? AttachedSideBelowLeftward : AttachedSideAboveLeftward;
        }
    }
    return side;
}

double AttachedWindowGeometry::clampedBorderWidth(double value, double viewMargin)
{
    return std::min(value, viewMargin);
}

double AttachedWindowGeometry::clampedViewMargin(double value)
{
    return std::max(0.0, value);
}

double AttachedWindowGeometry::clampedCornerRadius(double value, Size viewSize, double viewMargin,
                                                   double arrowBaseWidth)
{
    const double limit = (std::min(viewSize.width, viewSize.height) + 2 * viewMargin - arrowBaseWidth) / 2;
    return std::max(0.0, std::min(value, limit));
}

double AttachedWindowGeometry::clampedArrowBaseWidth(double value, Size viewSize, double viewMargin,
                                                     double cornerRadius, bool drawsRoundCornerBesideArrow)
{
    double limit = std::min(viewSize.width, viewSize.height) + 2 * viewMargin - cornerRadius;
    if (drawsRoundCornerBesideArrow)
        limit -= cornerRadius;
    return std::min(value, limit);
}
