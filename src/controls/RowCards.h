#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

#include <cstdint>

// Where the row tables put the light card behind a row, and in which colour.
namespace RowCards {

// The marked row's card of a list: the row's left 384 points, however wide the row.
platform::ui::Rect listCard(const platform::ui::Rect& rowRect);
// The card behind every startup item: 40 points high from 2 points below the row's top.
platform::ui::Rect startupCard(const platform::ui::Rect& rowRect);
// The pale card colour for the marked row, else a colour that leaves the row as it is.
platform::ui::Color markColor(int64_t row, int32_t markedRow);

} // namespace RowCards
