#pragma once

#include "AttachedWindowGeometry.h"

#include "platform/ui/BezierPath.h"
#include "platform/ui/Geometry.h"

#include <vector>

// One step of an attached window's outline. An arc runs from the current point toward
// `point`, then toward `toPoint`, with `radius`.
struct OutlineOperation {
    enum class Kind { MoveTo, LineTo, ArcFromPoint, Close };
    Kind kind = Kind::Close;
    platform::ui::Point point;
    platform::ui::Point toPoint;
    double radius = 0;

    static OutlineOperation moveTo(platform::ui::Point p) { return {Kind::MoveTo, p, {}, 0}; }
    static OutlineOperation lineTo(platform::ui::Point p) { return {Kind::LineTo, p, {}, 0}; }
    static OutlineOperation arc(platform::ui::Point from, platform::ui::Point to, double r)
    {
        return {Kind::ArcFromPoint, from, to, r};
    }
    static OutlineOperation close() { return {}; }
    bool operator==(const OutlineOperation& other) const = default;
};

// The outline of an attached window's background: a rectangle around the view with rounded
// corners and, on the anchor side, an optional arrow; clockwise from the top left, on whole
// pixels.
class AttachedWindowOutline {
public:
    static std::vector<OutlineOperation> operations(const platform::ui::Rect& viewFrame, int side,
                                                    const AttachedWindowMetrics& metrics, double scale);
    // The operations as a path with round line joins.
    static platform::ui::BezierPath path(const std::vector<OutlineOperation>& operations);
};
