#pragma once

#include "platform/ui/Color.h"

// A colour from red, green and blue in 0–255 and alpha in 0–1; in the device colour space
// before OS X 10.10.
platform::ui::Color getColor(float red, float green, float blue, float alpha);
