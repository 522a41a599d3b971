#include "TextField.h"

#include "BezierPath.h"
#include "GraphicsContext.h"

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
    attributedStringValue().drawInRect(box.insetBy(2, 0));
}

} // namespace platform::ui
