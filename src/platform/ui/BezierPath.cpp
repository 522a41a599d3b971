#include "BezierPath.h"

#include "GraphicsContext.h"

#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::ui {

namespace {

// Four cubic curves per full turn approximate a circle closely enough for drawing.
constexpr double kappa = 0.5522847498307936;

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
double length(Point a) { return std::hypot(a.x, a.y); }

} // namespace

BezierPath BezierPath::bezierPathWithRect(const Rect& rect)
{
    BezierPath path;
    path.moveToPoint({rect.minX(), rect.minY()});
    path.lineToPoint({rect.maxX(), rect.minY()});
    path.lineToPoint({rect.maxX(), rect.maxY()});
    path.lineToPoint({rect.minX(), rect.maxY()});
    path.closePath();
    return path;
}

BezierPath BezierPath::bezierPathWithOvalInRect(const Rect& rect)
{
    return bezierPathWithRoundedRect(rect, rect.width() / 2, rect.height() / 2);
}

BezierPath BezierPath::bezierPathWithRoundedRect(const Rect& rect, double xRadius, double yRadius)
{
    const double rx = std::clamp(xRadius, 0.0, std::max(0.0, rect.width() / 2));
    const double ry = std::clamp(yRadius, 0.0, std::max(0.0, rect.height() / 2));
    if (rx <= 0 || ry <= 0)
        return bezierPathWithRect(rect);
    const double kx = rx * kappa;
    const double ky = ry * kappa;
    const double l = rect.minX(), r = rect.maxX(), b = rect.minY(), t = rect.maxY();
    BezierPath path;
    path.moveToPoint({l + rx, b});
    path.lineToPoint({r - rx, b});
    path.curveToPoint({r, b + ry}, {r - rx + kx, b}, {r, b + ry - ky});
    path.lineToPoint({r, t - ry});
    path.curveToPoint({r - rx, t}, {r, t - ry + ky}, {r - rx + kx, t});
    path.lineToPoint({l + rx, t});
    path.curveToPoint({l, t - ry}, {l + rx - kx, t}, {l, t - ry + ky});
    path.lineToPoint({l, b + ry});
    path.curveToPoint({l + rx, b}, {l, b + ry - ky}, {l + rx - kx, b});
    path.closePath();
    return path;
}

void BezierPath::moveToPoint(Point point)
{
    elements_.push_back({Element::Kind::MoveTo, point, {}, {}});
    current_ = subpathStart_ = point;
    hasCurrentPoint_ = true;
}

void BezierPath::lineToPoint(Point point)
{
    if (!hasCurrentPoint_) {
        moveToPoint(point);
        return;
    }
    elements_.push_back({Element::Kind::LineTo, point, {}, {}});
    current_ = point;
}

void BezierPath::curveToPoint(Point point, Point controlPoint1, Point controlPoint2)
{
    if (!hasCurrentPoint_)
        moveToPoint(controlPoint1);
    elements_.push_back({Element::Kind::CurveTo, point, controlPoint1, controlPoint2});
    current_ = point;
}

void BezierPath::appendBezierPathWithArcFromPoint(Point point1, Point point2, double radius)
{
    if (!hasCurrentPoint_) {
        moveToPoint(point1);
        return;
    }
    const Point toStart = current_ - point1;
    const Point toEnd = point2 - point1;
    const double l1 = length(toStart);
    const double l2 = length(toEnd);
    if (radius <= 0 || l1 == 0 || l2 == 0 || std::abs(cross(toStart, toEnd)) < 1e-12 * l1 * l2) {
        lineToPoint(point1);
        return;
    }
    const Point u1 = toStart * (1 / l1);
    const Point u2 = toEnd * (1 / l2);
    const double angle = std::acos(std::clamp(dot(u1, u2), -1.0, 1.0)); // between the two legs
    const double tangent = radius / std::tan(angle / 2);
    const Point from = point1 + u1 * tangent;
    const Point to = point1 + u2 * tangent;
    Point bisector = u1 + u2;
    bisector = bisector * (1 / length(bisector));
    const Point center = point1 + bisector * (radius / std::sin(angle / 2));
    lineToPoint(from);
    appendArc(center, from, to, radius);
}

void BezierPath::appendArc(Point center, Point from, Point to, double radius)
{
    const Point a = from - center;
    const Point b = to - center;
    const double sweep = std::atan2(cross(a, b), dot(a, b)); // signed, within ±π
    const int pieces = std::max(1, int(std::ceil(std::abs(sweep) / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    double start = std::atan2(a.y, a.x);
    for (int i = 0; i < pieces; ++i) {
        const double end = start + step;
        const Point p0 = center + Point{std::cos(start), std::sin(start)} * radius;
        const Point p3 = i + 1 == pieces ? to : center + Point{std::cos(end), std::sin(end)} * radius;
        const Point c1 = p0 + Point{-std::sin(start), std::cos(start)} * (k * radius);
        const Point c2 = p3 - Point{-std::sin(end), std::cos(end)} * (k * radius);
        curveToPoint(p3, c1, c2);
        start = end;
    }
}

void BezierPath::closePath()
{
    if (!hasCurrentPoint_)
        return;
    elements_.push_back({Element::Kind::ClosePath, {}, {}, {}});
    current_ = subpathStart_;
}

Rect BezierPath::bounds() const
{
    const QRectF r = toQPainterPath().boundingRect();
    return Rect(r.x(), r.y(), r.width(), r.height());
}

QPainterPath BezierPath::toQPainterPath() const
{
    QPainterPath path;
    for (const Element& e : elements_) {
        switch (e.kind) {
        case Element::Kind::MoveTo: path.moveTo(e.point.x, e.point.y); break;
        case Element::Kind::LineTo: path.lineTo(e.point.x, e.point.y); break;
        case Element::Kind::CurveTo:
            path.cubicTo(e.control1.x, e.control1.y, e.control2.x, e.control2.y, e.point.x, e.point.y);
            break;
        case Element::Kind::ClosePath: path.closeSubpath(); break;
        }
    }
    path.setFillRule(Qt::WindingFill);
    return path;
}

void BezierPath::fill() const
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context)
        return;
    QPainter& painter = context->painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(toQPainterPath(), context->brushFor(context->fillColor()));
    painter.restore();
}

void BezierPath::stroke() const
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context)
        return;
    QPen pen(context->brushFor(context->strokeColor()), lineWidth_);
    pen.setJoinStyle(lineJoin_ == LineJoinStyle::Round   ? Qt::RoundJoin
                     : lineJoin_ == LineJoinStyle::Bevel ? Qt::BevelJoin
                                                         : Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    QPainter& painter = context->painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(toQPainterPath(), pen);
    painter.restore();
}

void BezierPath::addClip() const
{
    if (GraphicsContext* context = GraphicsContext::currentContext()) {
        context->painter().setRenderHint(QPainter::Antialiasing);
        context->painter().setClipPath(toQPainterPath(), Qt::IntersectClip);
    }
}

} // namespace platform::ui
