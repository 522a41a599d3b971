#include "ImageTextCell.h"

#include "utilities/PublicUtilities.h"

#include "platform/ui/StringDrawing.h"

#include <cmath>

using namespace platform::ui;

ImageTextCell::Layout ImageTextCell::layout(const Rect& frame) const
{
    Layout result;
    result.icon = iconSlice(frame);
    result.remainder = result.icon.remainder;
    if (nameStr_.isNull())
        return result;
    Rect slice;
    NSDivideRect(result.remainder, slice, result.remainder, 300);
    result.hasText = true;
    const double top = frame.minY() - 18 + std::ceil((frame.height() + 17) / 2);
    result.text = Rect(slice.minX() + 8, top, slice.width(), 17);
    return result;
}

void ImageTextCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    const Layout parts = layout(cellFrame);
    drawIcon(parts.icon);
    if (parts.hasText) {
        AttributedString::Attributes font;
        font.font = Font::fontWithName(PublicUtilities::getLightFontName(), 13);
        platform::ui::drawInRect(nameStr_, parts.text, font);
    }
    TextFieldCell::drawWithFrame(parts.remainder, controlView);
}
