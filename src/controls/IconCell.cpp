#include "IconCell.h"

#include "platform/ui/GraphicsContext.h"

#include <cmath>

using namespace platform::ui;

IconCell::Slice IconCell::iconSlice(const Rect& frame, bool hasImage, SliceShape shape)
{
    Slice result;
    result.remainder = frame;
    if (!hasImage)
        return result;
    result.hasIcon = true;
    NSDivideRect(frame, result.slice, result.remainder, shape.width);
    const double top = frame.minY() - shape.lift + std::ceil((frame.height() + shape.side) / 2);
    result.icon = Rect(result.slice.minX() + shape.inset, top, shape.side, shape.side);
    return result;
}

void IconCell::drawIcon(const Slice& slice) const
{
    if (!slice.hasIcon)
        return;
    if (drawsBackground()) {
        backgroundColor().setFill();
        NSRectFill(slice.slice);
    }
    image().drawInRect(slice.icon, Rect(), CompositingOperation::SourceOver, 1.0, true);
}

Rect IconCell::imageFrameForCellFrame(const Rect& cellFrame) const
{
    const Image picture = image();
    if (picture.isNull())
        return {};
    const Size size = picture.size();
    return Rect(cellFrame.minX() + 3, cellFrame.minY() + std::ceil((cellFrame.height() - size.height) / 2),
                size.width, size.height);
}

Rect IconCell::editingFrame(const Rect& frame) const
{
    Rect slice, remainder;
    NSDivideRect(frame, slice, remainder, 3 + image().size().width);
    return remainder;
}

void IconCell::editWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, const Event* event)
{
    TextFieldCell::editWithFrame(editingFrame(frame), controlView, editor, event);
}

void IconCell::selectWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, int start, int length)
{
    TextFieldCell::selectWithFrame(editingFrame(frame), controlView, editor, start, length);
}

Size IconCell::cellSize() const
{
    Size size = TextFieldCell::cellSize();
    size.width += 3 + image().size().width;
    return size;
}

AttributedString::Attributes cellTextAttributes(const Font& font, const Color& color)
{
    AttributedString::Attributes attributes;
    attributes.foregroundColor = color;
    attributes.font = font;
    attributes.paragraphStyle = ParagraphStyle{TextAlignment::Left, LineBreakMode::ByTruncatingTail};
    return attributes;
}
