#include "StartItemImageAndTextCell.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

using namespace platform::ui;

Rect StartItemImageAndTextCell::textRect(const Rect& frame) const
{
    return Rect(frame.minX() + frame.height(), singlePrecision(frame.minY() + 12), 200, 18);
}

AttributedString::Attributes StartItemImageAndTextCell::textAttributes() const
{
    return cellTextAttributes(Font::fontWithName(PublicUtilities::getRegularFontName(), 13), getColor(51, 57, 81, 1.0f));
}
