#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

#include <QString>

// The four looks of a four-image button, in their order of precedence.
enum class ImageButtonLook { Disabled, Pressed, Hover, Normal };

// The decisions of the tools' standard push button, apart from the button itself.
namespace TextImageButtonRules {

// The title label is 18 points high from a 16-point title up, else (a size that is no number
// too) 17.
double labelHeight(double fontSize);
// The Regular face for a 16-point title or the "btn_pril_normal" set; the Light face otherwise.
bool usesRegularFace(double fontSize, const QString& normalImageName);
// Across the whole button, centred a point low.
platform::ui::Rect labelFrame(const platform::ui::Rect& bounds, double labelHeight);

// Which look a drawing pass shows: disabled when either switch is off, then pressed while a
// click is followed, then hover while the pointer is inside.
ImageButtonLook look(bool platformEnabled, bool ownSwitchOn, bool tracking, bool focus);

// The names of the images the button holds (empty for an image that was not found).
struct ImageNames {
    QString normal;
    QString pressed;
    QString hover;
    bool hasPressed = false;
    bool hasHover = false;
};
// The label colour of a look: the resting colour follows the set, a pressed or hovered button
// without that image keeps it.
platform::ui::Color labelColor(ImageButtonLook look, const ImageNames& names);

} // namespace TextImageButtonRules
