#pragma once

#include "AttributedString.h"
#include "Geometry.h"

#include <QFont>
#include <QString>

class QPaintDevice;

namespace platform::ui {

// Plain text drawn with one set of attributes, as strings draw themselves on the Mac: from
// the top of `rect`, clipped to it, upright in flipped and unflipped contexts alike.
void drawInRect(const QString& string, const Rect& rect, const AttributedString::Attributes& attributes);
Size sizeWithAttributes(const QString& string, const AttributedString::Attributes& attributes);

// The Qt font whose size in device pixels is the font's size in points (one point is one pixel
// at scale factor 1).
QFont qtFontForDevice(const Font& font, const QPaintDevice* device);

} // namespace platform::ui
