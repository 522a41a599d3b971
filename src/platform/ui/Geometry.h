#pragma once

#include <algorithm>

namespace platform::ui {

// Geometry in points, as the Mac has it: a frame is in its superview's coordinates with the
// origin at the bottom left and y pointing up, unless the view is flipped.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point& other) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size& other) const = default;
};

struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}
    Rect(Point o, Size s) : origin(o), size(s) {}

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    double width() const { return size.width; }
    double height() const { return size.height; }
    bool isEmpty() const { return size.width <= 0 || size.height <= 0; }
    bool containsPoint(Point p) const
    {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    Rect insetBy(double dx, double dy) const
    {
        return {origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy};
    }
    bool operator==(const Rect& other) const = default;
};

} // namespace platform::ui
