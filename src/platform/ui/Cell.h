#pragma once

#include "AttributedString.h"
#include "Font.h"
#include "Geometry.h"
#include "Image.h"
#include "ParagraphStyle.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace platform::ui {

class Event;
class FieldEditor;
class View;

// A control's state values, with the Mac's numbers.
enum ControlStateValue : int { ControlStateValueMixed = -1, ControlStateValueOff = 0, ControlStateValueOn = 1 };

// The drawing and value of one control, or of every row of a table column: a table hands the
// column's one cell each row's value and frame in turn. Copies refer to the same image and
// texts as the cell they were made from.
class Cell {
public:
    using Action = std::function<void()>;

    Cell() = default;
    explicit Cell(const QString& text) : objectValue_(text) {}
    virtual ~Cell() = default;
    virtual std::unique_ptr<Cell> copy() const { return std::make_unique<Cell>(*this); }

    // Value. An attributed string is kept as it is; anything else reads as text.
    const QVariant& objectValue() const { return objectValue_; }
    virtual void setObjectValue(const QVariant& value) { objectValue_ = value; }
    QString stringValue() const;
    void setStringValue(const QString& value) { setObjectValue(value); }
    virtual AttributedString attributedStringValue() const;

    virtual Image image() const { return image_; }
    virtual void setImage(const Image& image) { image_ = image; }

    const Font& font() const { return font_; }
    void setFont(const Font& font) { font_ = font; }
    TextAlignment alignment() const { return alignment_; }
    void setAlignment(TextAlignment alignment) { alignment_ = alignment; }
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode) { lineBreakMode_ = mode; }

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    int state() const { return state_; }
    virtual void setState(int state) { state_ = state; }

    // What a click on the cell does; a table column's cell gets it from the controller.
    const Action& action() const { return action_; }
    void setAction(Action action) { action_ = std::move(action); }

    // Drawing in a frame of `controlView`, in that view's coordinates (flipped in tables).
    // drawWithFrame draws the frame's decoration and then the interior.
    virtual void drawWithFrame(const Rect& cellFrame, View& controlView);
    virtual void drawInteriorWithFrame(const Rect& cellFrame, View& controlView);
    virtual Rect titleRectForBounds(const Rect& bounds) const;
    // The size the content needs.
    virtual Size cellSize() const;

    // Editing: the cell puts the field editor over its text and prepares it.
    virtual void editWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, const Event* event);
    virtual void selectWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, int start, int length);
    virtual FieldEditor& setUpFieldEditorAttributes(FieldEditor& editor);

    // Whether the cell follows a click itself (buttons) rather than only being selected.
    virtual bool tracksMouse() const { return false; }
    // What a click that ends inside the cell does to its state before the action runs.
    virtual void performClickState() {}

private:
    void placeEditor(const Rect& frame, View& controlView, FieldEditor& editor, int start, int length);

    QVariant objectValue_;
    Image image_;
    Font font_ = Font::systemFontOfSize(13);
    TextAlignment alignment_ = TextAlignment::Natural;
    LineBreakMode lineBreakMode_ = LineBreakMode::ByTruncatingTail;
    bool enabled_ = true;
    bool editable_ = false;
    bool highlighted_ = false;
    int state_ = ControlStateValueOff;
    Action action_;
};

// Splits `rect` into a slice of `amount` points at its left edge and the rest; an amount
// beyond the width gives the whole rectangle as the slice and an empty rest.
void NSDivideRect(const Rect& rect, Rect& slice, Rect& remainder, double amount);

} // namespace platform::ui
