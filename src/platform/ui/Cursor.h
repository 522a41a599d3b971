#pragma once

namespace platform::ui {

// The pointer's shape for the whole application, as a view sets it while the pointer is
// over it (the arrow gives the shapes of the widgets back).
class Cursor {
public:
    enum class Shape { Arrow, PointingHand };

    static Cursor arrowCursor() { return Cursor(Shape::Arrow); }
    static Cursor pointingHandCursor() { return Cursor(Shape::PointingHand); }

    static Cursor currentCursor();

    void set() const;

    bool operator==(const Cursor& other) const = default;

private:
    explicit Cursor(Shape shape) : shape_(shape) {}

    Shape shape_;
};

} // namespace platform::ui
