#include "TextFieldCell.h"

#include "GraphicsContext.h"

namespace platform::ui {

AttributedString TextFieldCell::attributedStringValue() const
{
    if (objectValue().metaType() == QMetaType::fromType<AttributedString>())
        return Cell::attributedStringValue();
    AttributedString text = Cell::attributedStringValue();
    text.addForegroundColor(isEnabled() ? textColor_ : Color::disabledControlTextColor(), {0, text.length()});
    return text;
}

void TextFieldCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    if (drawsBackground_) {
        backgroundColor_.setFill();
        NSRectFillUsingOperation(cellFrame, CompositingOperation::SourceOver);
    }
    drawInteriorWithFrame(cellFrame, controlView);
}

} // namespace platform::ui
