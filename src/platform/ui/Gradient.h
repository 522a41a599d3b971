#pragma once

#include "BezierPath.h"
#include "Color.h"
#include "Geometry.h"

namespace platform::ui {

// A linear blend between two colours.
class Gradient {
public:
    Gradient(const Color& startingColor, const Color& endingColor);

    // Fills the rectangle (or the path's inside) in the current context. The blend runs
    // along `angle` degrees (0: left to right, 90: bottom to top), from the first corner
    // that the direction meets to the last one.
    void drawInRect(const Rect& rect, double angle) const;
    void drawInBezierPath(const BezierPath& path, double angle) const;


private:
    void fillPath(const QPainterPath& path, const Rect& extent, double angle) const;

    Color start_;
    Color end_;
};

} // namespace platform::ui
