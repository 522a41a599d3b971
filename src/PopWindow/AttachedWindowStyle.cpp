#include "AttachedWindowStyle.h"

#include "utilities/GetColor.h"

using platform::ui::Color;

Color AttachedWindowStyle::fillColor(Variant variant, int systemVersion)
{
    if (variant == Variant::Light)
        return Color::colorWithDeviceRed(1, 1, 1, systemVersion >= 1009 ? 0.7 : 0.98);
    return Color::colorWithDeviceRed(0.2, 57 / 255.0, 81 / 255.0, systemVersion >= 1009 ? 0.6 : 0.98);
}

Color AttachedWindowStyle::borderColor(Variant variant, int systemVersion)
{
    if (variant == Variant::Dark && systemVersion >= 1016)
        return fillColor(variant, systemVersion);
    return getColor(0, 0, 0, 0.3);
}

int AttachedWindowStyle::blurRadius(int systemVersion)
{
    return systemVersion >= 1010 ? 400 : 0;
}
