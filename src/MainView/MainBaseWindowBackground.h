#pragma once

#include "platform/ui/Image.h"

// The start menu's fixed background: an image of the window's size that holds a rounded
// 480 × 600 panel at its origin (radius 8, white at alpha 0.1) and is clear elsewhere. The
// panel keeps its size whatever the window's.
platform::ui::Image mainBaseWindowBackground(platform::ui::Size windowSize);
