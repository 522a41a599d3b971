#pragma once

#include "platform/ui/Color.h"

// The colour as plain RGB components (the drawing layer's colour type), for drawing code that
// takes components. A pattern colour has none and gives the clear colour.
platform::ui::Color KQ_CGColorCreate(const platform::ui::Color& color);
