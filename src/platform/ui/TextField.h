#pragma once

#include "AttributedString.h"
#include "Color.h"
#include "EditableText.h"
#include "Font.h"
#include "ParagraphStyle.h"
#include "View.h"

#include <memory>
#include <optional>

namespace platform::ui {

// A text field: one text drawn in its bounds, inset two points at the sides, from the top; a
// single-line field shown as a box (editable, bordered or with a background) centres its line
// vertically instead. A new field has a border and a white background and is editable, as on the Mac. A click makes
// an editable or selectable field its window's first responder; while it is, it takes typing
// (editable fields only: characters, Delete, forward delete, the arrows, Home and End) and the
// editing actions, with undo and redo. A label is neither editable nor selectable.
class TextField : public View {
public:
    explicit TextField(const Rect& frame = {});
    // A label: no border, no background, neither editable nor selectable.
    static std::unique_ptr<TextField> labelWithString(const QString& string);

    QString stringValue() const;
    void setStringValue(const QString& value);
    // The attributed text wins over the plain text's font and colour while it is set.
    AttributedString attributedStringValue() const;
    void setAttributedStringValue(const AttributedString& value);

    const Font& font() const { return font_; }
    void setFont(const Font& font);
    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color);
    TextAlignment alignment() const { return alignment_; }
    void setAlignment(TextAlignment alignment);
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode);
    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    void setBordered(bool bordered);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }
    void setSelectable(bool selectable) { selectable_ = selectable; }

    bool mouseDownCanMoveWindow() const override { return !editable_ && !selectable_; }
    void drawRect(const Rect& dirtyRect) override;
    // Where the text goes in the bounds (y up): a line of `lineHeight` in the middle when
    // `centred` and it fits, else the whole height from the top.
    static Rect textBox(const Rect& bounds, double lineHeight, bool centred);

    // Editing.
    bool acceptsFirstResponder() const override { return editable_ || selectable_; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    void mouseDown(const Event& event) override;
    void keyDown(const Event& event) override;
    bool tryToPerform(EditingAction action) override;
    // The text being edited, while the field is first responder; null otherwise.

private:
    // The edited text becomes the field's text.
    void editorChanged();
    void drawEditing(const Rect& textBox) const;
    bool singleLineBox() const;

    std::unique_ptr<EditableText> editor_;
    QString string_;
    std::optional<AttributedString> attributed_;
    Font font_ = Font::systemFontOfSize(13);
    Color textColor_ = Color::blackColor();
    TextAlignment alignment_ = TextAlignment::Natural;
    LineBreakMode lineBreakMode_ = LineBreakMode::ByClipping;
    Color backgroundColor_ = Color::whiteColor();
    bool drawsBackground_ = true;
    bool bordered_ = true;
    bool editable_ = true;
    bool selectable_ = true;
};

} // namespace platform::ui
