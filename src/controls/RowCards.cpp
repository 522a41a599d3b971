#include "RowCards.h"

#include "utilities/GetColor.h"

namespace RowCards {

using platform::ui::Rect;

Rect listCard(const Rect& rowRect)
{
    return Rect(rowRect.origin, {384, rowRect.height()});
}

Rect startupCard(const Rect& rowRect)
{
    return Rect(rowRect.minX(), rowRect.minY() + 2, rowRect.width(), 40);
}

platform::ui::Color markColor(int64_t row, int32_t markedRow)
{
    return row == int64_t(markedRow) ? getColor(245, 246, 250, 1.0f) : getColor(255, 255, 255, 0.0f);
}

} // namespace RowCards
