#pragma once

#include "Geometry.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QTransform>

namespace platform::ui {

// The one place where the Mac's geometry (origin at the bottom left, y up, unless a view is
// flipped) meets Qt's (origin at the top left, y down). Everything else in the UI layer keeps
// Mac frames and asks here for the Qt equivalent.
class QtCoordinates {
public:
    // Widget geometry never has a negative size, whatever the frame says.
    // Screen frames: the Mac measures from the bottom left of the primary screen.
    static QRect screenFrameToQt(const Rect& frame, const QRect& primaryScreen);
    static Rect screenFrameFromQt(const QRect& geometry, const QRect& primaryScreen);
    static Point screenPointFromQt(const QPointF& global, const QRect& primaryScreen);
    static QPoint screenPointToQt(Point point, const QRect& primaryScreen);

    // Where a subview's widget lies inside its superview's widget. Only the superview's
    // flippedness matters here: it decides whether `frame.origin` is its top or bottom left.
    static QRect subviewGeometry(const Rect& frame, double superviewHeight, bool superviewFlipped);

    // A point in a view's own coordinates seen from its superview, and back.
    static Point pointToSuperview(Point point, const Rect& frame, bool flipped, bool superviewFlipped);
    static Point pointFromSuperview(Point point, const Rect& frame, bool flipped, bool superviewFlipped);

    // A point or rectangle given in a widget's Qt coordinates, in the view's own coordinates.
    static Point pointFromWidget(const QPointF& point, double height, bool flipped);
    static Rect rectFromWidget(const QRectF& rect, double height, bool flipped);
    // A part of an image, measured up from its bottom, in the top-down rows of its bitmap.
    static QRectF rectInImage(const Rect& rect, double imageHeight);

    // The painter transform that lets a view of that height draw in its own coordinates.
    static QTransform drawingTransform(double height, bool flipped);
    // Maps Qt's top-down drawing of an image or a text block into `rect`, so that it comes out
    // upright in an unflipped space (its top at rect.maxY()).
    static QTransform uprightIn(const Rect& rect);

private:
    static int roundEdge(double value);
};

} // namespace platform::ui
