#pragma once

#include "AttachedWindowGeometry.h"

#include "platform/ui/Geometry.h"

#include <memory>

namespace platform::ui {
class View;
class Window;
} // namespace platform::ui

// The seven ways to make an attached window of class `Derived`. Each gives no window for no
// view. A missing window means the point is in screen coordinates, a missing side is the
// automatic choice (12) and a missing distance is 0.
template <class Derived>
class AttachedWindowInitializers {
public:
    using View = platform::ui::View;
    using Window = platform::ui::Window;
    using Point = platform::ui::Point;

    static std::unique_ptr<Derived> create(View* view, Point point, Window* window, int side, float distance)
    {
        if (!view)
            return nullptr;
        return std::unique_ptr<Derived>(new Derived(*view, point, window, side, distance));
    }
    static std::unique_ptr<Derived> create(View* view, Point point, Window* window, float distance)
    {
        return create(view, point, window, AttachedSideAutomatic, distance);
    }
    static std::unique_ptr<Derived> create(View* view, Point point, int side, float distance)
    {
        return create(view, point, nullptr, side, distance);
    }
    static std::unique_ptr<Derived> create(View* view, Point point, float distance)
    {
        return create(view, point, nullptr, AttachedSideAutomatic, distance);
    }
    static std::unique_ptr<Derived> create(View* view, Point point, Window* window)
    {
        return create(view, point, window, AttachedSideAutomatic, 0.0f);
    }
    static std::unique_ptr<Derived> create(View* view, Point point, int side)
    {
        return create(view, point, nullptr, side, 0.0f);
    }
    static std::unique_ptr<Derived> create(View* view, Point point)
    {
        return create(view, point, nullptr, AttachedSideAutomatic, 0.0f);
    }
};
