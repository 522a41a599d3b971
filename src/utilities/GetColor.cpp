#include "GetColor.h"

#include "PublicUtilities.h"

platform::ui::Color getColor(float red, float green, float blue, float alpha)
{
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    if (PublicUtilities::getSystemVersion() < 1010)
        return platform::ui::Color::colorWithDeviceRed(r, g, b, alpha);
    return platform::ui::Color::colorWithRed(r, g, b, alpha);
}
