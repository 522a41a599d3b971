#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/ParagraphStyle.h"
#include "platform/ui/TextField.h"

#include <memory>

// A text of the cleanup's windows: not editable, no bezel, no background.
inline std::unique_ptr<platform::ui::TextField> makeCleanupLabel(
    const platform::ui::Rect& frame, const QString& text, const platform::ui::Font& font,
    const platform::ui::Color& color, platform::ui::TextAlignment alignment = platform::ui::TextAlignment::Left)
{
    auto field = std::make_unique<platform::ui::TextField>(frame);
    field->setEditable(false);
    field->setSelectable(false);
    field->setBordered(false);
    field->setDrawsBackground(false);
    field->setFont(font);
    field->setTextColor(color);
    field->setAlignment(alignment);
    field->setStringValue(text);
    return field;
}
