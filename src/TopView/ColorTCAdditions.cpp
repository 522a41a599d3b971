#include "ColorTCAdditions.h"

using platform::ui::Color;

Color KQ_CGColorCreate(const Color& color)
{
    if (!color.patternImage().isNull())
        return Color::clearColor();
    return Color::colorWithRed(color.redComponent(), color.greenComponent(), color.blueComponent(),
                               color.alphaComponent());
}
