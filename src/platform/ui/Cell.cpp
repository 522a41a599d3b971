#include "Cell.h"

#include "FieldEditor.h"
#include "View.h"

#include <algorithm>
#include <cmath>

namespace platform::ui {

void NSDivideRect(const Rect& input, Rect& slice, Rect& remainder, double amount)
{
    const Rect rect = input; // the outputs may be the input
    const double width = std::max(0.0, rect.width());
    const double cut = std::clamp(amount, 0.0, width);
    slice = Rect(rect.minX(), rect.minY(), cut, rect.height());
    remainder = Rect(rect.minX() + cut, rect.minY(), width - cut, rect.height());
}

QString Cell::stringValue() const
{
    if (objectValue_.metaType() == QMetaType::fromType<AttributedString>())
        return objectValue_.value<AttributedString>().string();
    return objectValue_.toString();
}

AttributedString Cell::attributedStringValue() const
{
    if (objectValue_.metaType() == QMetaType::fromType<AttributedString>())
        return objectValue_.value<AttributedString>();
    AttributedString text(stringValue());
    const TextRange all{0, text.length()};
    text.addFont(font_, all);
    text.addParagraphStyle({alignment_, lineBreakMode_}, all);
    return text;
}

void Cell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    drawInteriorWithFrame(cellFrame, controlView);
}

void Cell::drawInteriorWithFrame(const Rect& cellFrame, View&)
{
    attributedStringValue().drawInRect(titleRectForBounds(cellFrame));
}

Rect Cell::titleRectForBounds(const Rect& bounds) const
{
    return Rect(bounds.minX() + 2, bounds.minY(), std::max(0.0, bounds.width() - 4), bounds.height());
}

Size Cell::cellSize() const
{
    const Size text = attributedStringValue().size();
    return {std::ceil(text.width) + 4, std::ceil(text.height)};
}

void Cell::editWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, const Event*)
{
    placeEditor(frame, controlView, editor, 0, 0);
}

void Cell::selectWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, int start, int length)
{
    placeEditor(frame, controlView, editor, start, length);
}

void Cell::placeEditor(const Rect& frame, View& controlView, FieldEditor& editor, int start, int length)
{
    editor.setControlView(&controlView);
    editor.setFrame(frame);
    editor.setString(stringValue());
    editor.setFont(font_);
    editor.setAlignment(alignment_);
    setUpFieldEditorAttributes(editor);
    editor.setSelectedRange({start, length});
}

FieldEditor& Cell::setUpFieldEditorAttributes(FieldEditor& editor)
{
    editor.setTextColor(Color::textColor());
    return editor;
}

} // namespace platform::ui
