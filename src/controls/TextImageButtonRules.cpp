#include "TextImageButtonRules.h"

#include "utilities/GetColor.h"

namespace TextImageButtonRules {

using platform::ui::Color;
using platform::ui::Rect;

double labelHeight(double fontSize)
{
    return fontSize >= 16 ? 18 : 17;
}

bool usesRegularFace(double fontSize, const QString& normalImageName)
{
    return fontSize == 16 || normalImageName == QLatin1String("btn_pril_normal");
}

Rect labelFrame(const Rect& bounds, double height)
{
    return Rect(bounds.minX(), (bounds.height() - height) * 0.5 - 1, bounds.width(), height);
}

ImageButtonLook look(bool platformEnabled, bool ownSwitchOn, bool tracking, bool focus)
{
    if (!platformEnabled || !ownSwitchOn)
        return ImageButtonLook::Disabled;
    if (tracking)
        return ImageButtonLook::Pressed;
    if (focus)
        return ImageButtonLook::Hover;
    return ImageButtonLook::Normal;
}

Color labelColor(ImageButtonLook look, const ImageNames& names)
{
    Color resting = names.normal == QLatin1String("btn_secl_normal") ? getColor(102, 102, 102, 1) : getColor(255, 255, 255, 1);
    if (names.normal == QLatin1String("btn_sec"))
        resting = getColor(51, 57, 81, 1);
    switch (look) {
    case ImageButtonLook::Disabled:
        return getColor(139, 147, 176, 1);
    case ImageButtonLook::Pressed:
        if (!names.hasPressed)
            return resting;
        if (names.pressed == QLatin1String("btn_secl_press"))
            return getColor(102, 102, 102, 1);
        if (names.pressed == QLatin1String("btn_sec_press"))
            return getColor(0, 195, 248, 1);
        return getColor(255, 255, 255, 0.4f);
    case ImageButtonLook::Hover:
        if (!names.hasHover)
            return resting;
        if (names.hover == QLatin1String("btn_secl_hover"))
            return getColor(102, 102, 102, 1);
        if (names.hover == QLatin1String("btn_sec_hover"))
            return getColor(0, 195, 248, 1);
        return getColor(255, 255, 255, 1);
    case ImageButtonLook::Normal:
        break;
    }
    return resting;
}

} // namespace TextImageButtonRules
