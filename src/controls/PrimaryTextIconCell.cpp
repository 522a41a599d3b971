#include "PrimaryTextIconCell.h"

#include "platform/ui/StringDrawing.h"

using namespace platform::ui;

PrimaryTextIconCell::Layout PrimaryTextIconCell::layout(const Rect& frame) const
{
    Layout result;
    result.hasText = !primaryTextKeyPath_.isNull();
    if (result.hasText)
        result.text = textRect(frame);
    result.icon = iconSlice(frame);
    return result;
}

void PrimaryTextIconCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    const Layout parts = layout(cellFrame);
    if (parts.hasText)
        platform::ui::drawInRect(primaryTextKeyPath_, parts.text, textAttributes());
    drawIcon(parts.icon);
    TextFieldCell::drawWithFrame(parts.icon.remainder, controlView);
}
