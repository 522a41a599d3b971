#pragma once

#include "Color.h"
#include "Geometry.h"

#include <optional>

namespace platform::ui {

// A shadow as drawing casts it: its offset, its blur and its colour (none: the default, black
// at a third). A value.
struct Shadow {
    Size shadowOffset;
    double shadowBlurRadius = 0;
    std::optional<Color> shadowColor;
    bool operator==(const Shadow& other) const = default;
};

} // namespace platform::ui
