#pragma once

#include "AttributedString.h"
#include "Color.h"
#include "Font.h"
#include "Geometry.h"
#include "ParagraphStyle.h"

#include <QString>

#include <algorithm>

namespace platform::ui {

class View;

// The one text editor that a cell borrows while its text is edited: where it lies, what it
// holds and how it looks. A cell places and prepares it (editWithFrame, selectWithFrame,
// setUpFieldEditorAttributes); the control that owns the cell shows it.
class FieldEditor {
public:
    const Rect& frame() const { return frame_; }
    void setFrame(const Rect& frame) { frame_ = frame; }
    View* controlView() const { return controlView_; }
    void setControlView(View* view) { controlView_ = view; }

    const QString& string() const { return string_; }
    void setString(const QString& string) { string_ = string; }
    TextRange selectedRange() const { return selectedRange_; }
    // A range past the end of the text is cut at the end.
    void setSelectedRange(TextRange range);

    const Font& font() const { return font_; }
    void setFont(const Font& font) { font_ = font; }
    TextAlignment alignment() const { return alignment_; }
    void setAlignment(TextAlignment alignment) { alignment_ = alignment; }
    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color) { textColor_ = color; }
    void setInsertionPointColor(const Color&) {} // the caret takes the text colour

private:
    Rect frame_;
    View* controlView_ = nullptr;
    QString string_;
    TextRange selectedRange_;
    Font font_ = Font::systemFontOfSize(13);
    TextAlignment alignment_ = TextAlignment::Natural;
    Color textColor_ = Color::textColor();
};

inline void FieldEditor::setSelectedRange(TextRange range)
{
    const qsizetype size = string_.size();
    range.location = std::clamp<qsizetype>(range.location, 0, size);
    range.length = std::clamp<qsizetype>(range.length, 0, size - range.location);
    selectedRange_ = range;
}

} // namespace platform::ui
