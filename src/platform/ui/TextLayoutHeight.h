#pragma once

#include "Font.h"

#include <QString>

namespace platform::ui {

// The height that `text` fills when laid out in one font in a container `width` wide and of
// unbounded height, wrapping at words (inside a word only when it alone is wider), with no
// padding: the used rectangle of the Mac's layout manager. Empty text fills nothing.
double usedHeightOfText(const QString& text, const Font& font, double width);

} // namespace platform::ui
