#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

// How the progress tracks and background views paint themselves: a rounded rectangle with the
// same radius in x and y, filled or outlined in one colour, in the current drawing context.
void fillRoundedRect(const platform::ui::Rect& rect, double radius, const platform::ui::Color& color);
void strokeRoundedRect(const platform::ui::Rect& rect, double radius, const platform::ui::Color& color);
