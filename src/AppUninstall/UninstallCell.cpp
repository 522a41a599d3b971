#include "UninstallCell.h"

using namespace platform::ui;

Rect UninstallCell::titleRectForBounds(const Rect& bounds) const
{
    Rect title = IconCell::titleRectForBounds(bounds);
    const double textHeight = attributedStringValue().size().height;
    title.origin.x += 8;
    title.origin.y = bounds.minY() - 0.5 + (bounds.height() - textHeight) / 2;
    return title;
}

void UninstallCell::drawInteriorWithFrame(const Rect& cellFrame, View&)
{
    attributedStringValue().drawInRect(titleRectForBounds(cellFrame));
}

void UninstallCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    const Slice slice = iconSlice(cellFrame);
    drawIcon(slice);
    TextFieldCell::drawWithFrame(slice.remainder, controlView);
}
