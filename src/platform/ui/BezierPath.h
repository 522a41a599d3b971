#pragma once

#include "Geometry.h"

#include <QPainterPath>

#include <vector>

namespace platform::ui {

enum class LineJoinStyle { Miter = 0, Round = 1, Bevel = 2 };

// A path in the current context's coordinates, filled, stroked or used as a clip there.
class BezierPath {
public:
    struct Element {
        enum class Kind { MoveTo, LineTo, CurveTo, ClosePath };
        Kind kind;
        Point point;          // the end point (none for ClosePath)
        Point control1;       // CurveTo only
        Point control2;
        bool operator==(const Element& other) const = default;
    };

    BezierPath() = default;
    static BezierPath bezierPathWithRect(const Rect& rect);
    static BezierPath bezierPathWithOvalInRect(const Rect& rect);
    // Radii are limited to half the rectangle's width and height.
    static BezierPath bezierPathWithRoundedRect(const Rect& rect, double xRadius, double yRadius);

    void moveToPoint(Point point);
    // Without a current point a line starts at its own end, as a move would.
    void lineToPoint(Point point);
    void curveToPoint(Point point, Point controlPoint1, Point controlPoint2);
    // A line from the current point toward `point1`, then an arc of `radius` tangent to that
    // line and to the line from `point1` to `point2`. Degenerate cases (no current point, a
    // zero radius, points in one line) give a line to `point1`.
    void appendBezierPathWithArcFromPoint(Point point1, Point point2, double radius);
    void closePath();

    void setLineWidth(double width) { lineWidth_ = width; }
    void setLineJoinStyle(LineJoinStyle style) { lineJoin_ = style; }

    // Drawing into the current context with its fill or stroke colour; nothing without one.
    void fill() const;
    void stroke() const;
    // Narrows the current context's clip to the inside of the path.
    void addClip() const;

    const std::vector<Element>& elements() const { return elements_; }
    Rect bounds() const;
    QPainterPath toQPainterPath() const;

private:
    void appendArc(Point center, Point from, Point to, double radius);

    std::vector<Element> elements_;
    Point current_;
    Point subpathStart_;
    bool hasCurrentPoint_ = false;
    double lineWidth_ = 1.0;
    LineJoinStyle lineJoin_ = LineJoinStyle::Miter;
};

} // namespace platform::ui
