#include "QtCoordinates.h"

#include <algorithm>
#include <cmath>

namespace platform::ui {

int QtCoordinates::roundEdge(double value)
{
    return int(std::floor(value + 0.5));
}

QRect QtCoordinates::screenFrameToQt(const Rect& frame, const QRect& primaryScreen)
{
    const double bottom = primaryScreen.y() + primaryScreen.height();
    const int left = roundEdge(primaryScreen.x() + frame.minX());
    const int right = roundEdge(primaryScreen.x() + frame.maxX());
    const int top = roundEdge(bottom - frame.maxY());
    const int lower = roundEdge(bottom - frame.minY());
    return QRect(left, top, std::max(0, right - left), std::max(0, lower - top));
}

Rect QtCoordinates::screenFrameFromQt(const QRect& geometry, const QRect& primaryScreen)
{
    const double bottom = primaryScreen.y() + primaryScreen.height();
    return Rect(geometry.x() - primaryScreen.x(), bottom - (geometry.y() + geometry.height()),
                geometry.width(), geometry.height());
}

Point QtCoordinates::screenPointFromQt(const QPointF& global, const QRect& primaryScreen)
{
    return {global.x() - primaryScreen.x(), primaryScreen.y() + primaryScreen.height() - global.y()};
}

QPoint QtCoordinates::screenPointToQt(Point point, const QRect& primaryScreen)
{
    return QPoint(roundEdge(primaryScreen.x() + point.x), roundEdge(primaryScreen.y() + primaryScreen.height() - point.y));
}

QRect QtCoordinates::subviewGeometry(const Rect& frame, double superviewHeight, bool superviewFlipped)
{
    const double top = superviewFlipped ? frame.minY() : superviewHeight - frame.maxY();
    const int left = roundEdge(frame.minX());
    const int right = roundEdge(frame.maxX());
    const int upper = roundEdge(top);
    const int lower = roundEdge(top + frame.height());
    return QRect(left, upper, std::max(0, right - left), std::max(0, lower - upper));
}

Point QtCoordinates::pointToSuperview(Point point, const Rect& frame, bool flipped, bool superviewFlipped)
{
    const double y = flipped == superviewFlipped ? frame.minY() + point.y : frame.maxY() - point.y;
    return {frame.minX() + point.x, y};
}

Point QtCoordinates::pointFromSuperview(Point point, const Rect& frame, bool flipped, bool superviewFlipped)
{
    const double y = flipped == superviewFlipped ? point.y - frame.minY() : frame.maxY() - point.y;
    return {point.x - frame.minX(), y};
}

Point QtCoordinates::pointFromWidget(const QPointF& point, double height, bool flipped)
{
    return {point.x(), flipped ? point.y() : height - point.y()};
}

Rect QtCoordinates::rectFromWidget(const QRectF& rect, double height, bool flipped)
{
    const double y = flipped ? rect.y() : height - (rect.y() + rect.height());
    return Rect(rect.x(), y, rect.width(), rect.height());
}

QRectF QtCoordinates::rectInImage(const Rect& rect, double imageHeight)
{
    return QRectF(rect.minX(), imageHeight - rect.maxY(), rect.width(), rect.height());
}

QTransform QtCoordinates::drawingTransform(double height, bool flipped)
{
    if (flipped)
        return QTransform();
    return QTransform(1, 0, 0, -1, 0, height);
}

QTransform QtCoordinates::uprightIn(const Rect& rect)
{
    return QTransform(1, 0, 0, -1, 0, rect.minY() + rect.maxY());
}

} // namespace platform::ui
