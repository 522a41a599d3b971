#include "Gradient.h"

#include "GraphicsContext.h"

#include <QLinearGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::ui {

Gradient::Gradient(const Color& startingColor, const Color& endingColor)
    : start_(startingColor), end_(endingColor)
{
}

void Gradient::drawInRect(const Rect& rect, double angle) const
{
    QPainterPath path;
    path.addRect(QRectF(rect.minX(), rect.minY(), rect.width(), rect.height()));
    fillPath(path, rect, angle);
}

void Gradient::drawInBezierPath(const BezierPath& path, double angle) const
{
    fillPath(path.toQPainterPath(), path.bounds(), angle);
}

void Gradient::fillPath(const QPainterPath& path, const Rect& extent, double angle) const
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context || path.isEmpty())
        return;
    const double radians = angle * std::numbers::pi / 180;
    const double dx = std::cos(radians), dy = std::sin(radians);
    // Project the corners on the direction: the blend spans their range.
    const double cx = extent.midX(), cy = extent.midY();
    double lo = 0, hi = 0;
    for (double x : {extent.minX(), extent.maxX()})
        for (double y : {extent.minY(), extent.maxY()}) {
            const double t = (x - cx) * dx + (y - cy) * dy;
            lo = std::min(lo, t);
            hi = std::max(hi, t);
        }
    QLinearGradient gradient(cx + lo * dx, cy + lo * dy, cx + hi * dx, cy + hi * dy);
    gradient.setColorAt(0, start_.toQColor());
    gradient.setColorAt(1, end_.toQColor());
    QPainter& painter = context->painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, gradient);
    painter.restore();
}

} // namespace platform::ui
