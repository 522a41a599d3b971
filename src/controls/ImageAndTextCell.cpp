#include "ImageAndTextCell.h"

#include "utilities/PublicUtilities.h"

using namespace platform::ui;

Rect ImageAndTextCell::textRect(const Rect& frame) const
{
    return Rect(frame.minX() + frame.height() + 10, singlePrecision(frame.minY() + 10), 200, 17);
}

AttributedString::Attributes ImageAndTextCell::textAttributes() const
{
    const Color color = isHighlighted() ? Color::alternateSelectedControlTextColor() : Color::textColor();
    return cellTextAttributes(Font::fontWithName(PublicUtilities::getLightFontName(), 13), color);
}
