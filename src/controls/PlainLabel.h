#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ButtonCell.h"
#include "platform/ui/TextField.h"

#include <QString>

#include <memory>

// A text of the tools' views: not editable or selectable, no bezel, no background.
std::unique_ptr<platform::ui::TextField> makePlainLabel(
    const platform::ui::Rect& frame, const QString& text, const platform::ui::Font& font,
    const platform::ui::Color& color, platform::ui::TextAlignment alignment = platform::ui::TextAlignment::Left);

// The cell of a column that shows only an image (a check box drawn from images, a reveal button),
// never highlighted.
std::unique_ptr<platform::ui::ButtonCell> makeImageOnlyCell();
