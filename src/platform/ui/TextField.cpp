#include "TextField.h"

#include "BezierPath.h"
#include "GraphicsContext.h"
#include "Pasteboard.h"
#include "StringDrawing.h"
#include "Window.h"

#include <cmath>

namespace platform::ui {

TextField::TextField(const Rect& frame)
    : View(frame)
{
}

std::unique_ptr<TextField> TextField::labelWithString(const QString& string)
{
    auto label = std::make_unique<TextField>();
    label->setEditable(false);
    label->setSelectable(false);
    label->setBordered(false);
    label->setDrawsBackground(false);
    label->setStringValue(string);
    const Size size = label->attributedStringValue().size();
    label->setFrameSize({std::ceil(size.width) + 4, std::ceil(size.height)});
    return label;
}

QString TextField::stringValue() const
{
    return attributed_ ? attributed_->string() : string_;
}

void TextField::setStringValue(const QString& value)
{
    string_ = value;
    attributed_.reset();
    if (editor_)
        editor_->setText(value);
    setNeedsDisplay();
}

AttributedString TextField::attributedStringValue() const
{
    if (attributed_)
        return *attributed_;
    AttributedString text(string_);
    const TextRange all{0, string_.size()};
    text.addFont(font_, all);
    text.addForegroundColor(textColor_, all);
    text.addParagraphStyle({alignment_, lineBreakMode_}, all);
    return text;
}

void TextField::setAttributedStringValue(const AttributedString& value)
{
    attributed_ = value;
    string_ = value.string();
    setNeedsDisplay();
}

void TextField::setFont(const Font& font)
{
    font_ = font;
    setNeedsDisplay();
}

void TextField::setTextColor(const Color& color)
{
    textColor_ = color;
    setNeedsDisplay();
}

void TextField::setAlignment(TextAlignment alignment)
{
    alignment_ = alignment;
    setNeedsDisplay();
}

void TextField::setLineBreakMode(LineBreakMode mode)
{
    lineBreakMode_ = mode;
    setNeedsDisplay();
}

void TextField::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    setNeedsDisplay();
}

void TextField::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    setNeedsDisplay();
}

void TextField::setBordered(bool bordered)
{
    bordered_ = bordered;
    setNeedsDisplay();
}

void TextField::drawRect(const Rect&)
{
    const Rect box = bounds();
    if (drawsBackground_) {
        backgroundColor_.setFill();
        NSRectFillUsingOperation(box, CompositingOperation::SourceOver);
    }
    if (bordered_) {
        Color::colorWithRed(0, 0, 0, 0.3).setStroke();
        BezierPath::bezierPathWithRect(box.insetBy(0.5, 0.5)).stroke();
    }
    const double lineHeight = sizeWithAttributes(QStringLiteral("X"), {textColor_, font_, {}}).height;
    const Rect text = textBox(box, lineHeight, singleLineBox());
    attributedStringValue().drawInRect(text);
    if (editor_)
        drawEditing(text);
}

bool TextField::singleLineBox() const
{
    const bool wraps = lineBreakMode_ == LineBreakMode::ByWordWrapping || lineBreakMode_ == LineBreakMode::ByCharWrapping;
    return !wraps && (editable_ || bordered_ || drawsBackground_);
}

Rect TextField::textBox(const Rect& bounds, double lineHeight, bool centred)
{
    const Rect inset = bounds.insetBy(2, 0);
    if (!centred || lineHeight >= bounds.height())
        return inset;
    // Top and bottom margins alike, on whole points, as a Mac field sets its one line.
    const double top = std::floor((bounds.height() - lineHeight) / 2);
    return Rect(inset.minX(), bounds.maxY() - top - lineHeight, inset.width(), lineHeight);
}

bool TextField::becomeFirstResponder()
{
    editor_ = std::make_unique<EditableText>(stringValue());
    setNeedsDisplay();
    return true;
}

bool TextField::resignFirstResponder()
{
    editor_.reset();
    setNeedsDisplay();
    return true;
}

void TextField::mouseDown(const Event& event)
{
    Window* window = this->window();
    if (!acceptsFirstResponder() || !window) {
        View::mouseDown(event);
        return;
    }
    window->makeFirstResponder(this);
}

void TextField::editorChanged()
{
    string_ = editor_->text();
    attributed_.reset();
    setNeedsDisplay();
}

void TextField::keyDown(const Event& event)
{
    const QString& characters = event.characters();
    const bool shortcut = event.modifierFlags() & (EventModifierFlagCommand | EventModifierFlagControl);
    if (!editor_ || !editable_ || shortcut || characters.isEmpty()) {
        View::keyDown(event);
        return;
    }
    switch (characters.at(0).unicode()) {
    case NSDeleteCharacter:
    case NSBackspaceCharacter: editor_->deleteBackward(); break;
    case NSDeleteFunctionKey: editor_->deleteForward(); break;
    case NSLeftArrowFunctionKey: editor_->moveLeft(); break;
    case NSRightArrowFunctionKey: editor_->moveRight(); break;
    case NSHomeFunctionKey: editor_->moveToBeginningOfLine(); break;
    case NSEndFunctionKey: editor_->moveToEndOfLine(); break;
    case NSCarriageReturnCharacter:
    case NSTabCharacter:
    case NSEscapeCharacter:
    case NSUpArrowFunctionKey:
    case NSDownArrowFunctionKey:
        View::keyDown(event);
        return;
    default:
        if (characters.at(0).unicode() >= 0xF700 && characters.at(0).unicode() <= 0xF8FF) {
            View::keyDown(event); // another function key
            return;
        }
        editor_->insertText(characters);
    }
    editorChanged();
}

bool TextField::tryToPerform(EditingAction action)
{
    if (!editor_)
        return false;
    switch (action) {
    case EditingAction::SelectAll:
        editor_->selectAll();
        break;
    case EditingAction::Copy:
        if (editor_->selectedRange().length > 0)
            Pasteboard::generalPasteboard().setString(editor_->selectedText());
        return true;
    case EditingAction::Cut:
        if (!editable_)
            return false;
        if (editor_->selectedRange().length > 0) {
            Pasteboard::generalPasteboard().setString(editor_->selectedText());
            editor_->replaceSelection({});
        }
        break;
    case EditingAction::Paste: {
        if (!editable_)
            return false;
        // One line: line breaks of the pasted text become spaces.
        QString text = Pasteboard::generalPasteboard().stringForType();
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        editor_->replaceSelection(text);
        break;
    }
    case EditingAction::Undo:
        if (!editable_)
            return false;
        editor_->undo();
        break;
    case EditingAction::Redo:
        if (!editable_)
            return false;
        editor_->redo();
        break;
    }
    editorChanged();
    return true;
}

void TextField::drawEditing(const Rect& textBox) const
{
    // The text is drawn from the top of the box, aligned as the field says.
    const AttributedString::Attributes attributes{textColor_, font_, ParagraphStyle{alignment_, lineBreakMode_}};
    const QString& text = editor_->text();
    const Size whole = sizeWithAttributes(text, attributes);
    double left = textBox.minX();
    if (alignment_ == TextAlignment::Center)
        left += (textBox.width() - whole.width) / 2;
    else if (alignment_ == TextAlignment::Right)
        left += textBox.width() - whole.width;
    const TextRange selection = editor_->selectedRange();
    const double start = left + sizeWithAttributes(text.left(selection.location), attributes).width;
    const double end = left + sizeWithAttributes(text.left(selection.location + selection.length), attributes).width;
    const double height = std::max(whole.height, sizeWithAttributes(QStringLiteral("X"), attributes).height);
    const Rect line(start, textBox.maxY() - height, std::max(1.0, end - start), height);
    if (selection.length > 0)
        Color::colorWithRed(0.02, 0.39, 0.86, 0.3).setFill();
    else
        textColor_.setFill();
    NSRectFillUsingOperation(line, CompositingOperation::SourceOver);
}

} // namespace platform::ui
