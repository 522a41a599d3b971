#include "UninstallImageTextCell.h"

#include "controls/IconCell.h"

#include "utilities/GetColor.h"

#include "platform/ui/GraphicsContext.h"
#include "platform/ui/StringDrawing.h"
#include "platform/ui/View.h"

using namespace platform::ui;

UninstallImageTextCell::Layout UninstallImageTextCell::layout(const Rect& frame, bool flipped) const
{
    Layout result;
    const double x = frame.minX() + frame.height() - 2;
    result.hasFirst = !primaryTextKeyPath_.isNull();
    result.hasSecond = !secondaryTextKeyPath_.isNull();
    if (result.hasFirst)
        result.first = Rect(x, singlePrecision(frame.minY() + 10 + (result.hasSecond ? 0 : 9)), 300, 20);
    if (result.hasSecond)
        result.second = Rect(x, frame.minY() + frame.height() / 2 + 2, 200, 20);
    // Its lower edge 8 points above the cell's lower edge, whichever way the view runs.
    const double top = flipped ? frame.minY() + frame.height() - 40 : frame.minY() + 8;
    result.icon = Rect(frame.minX() + 5, top, 32, 32);
    return result;
}

void UninstallImageTextCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    setTextColor(Color::blackColor());
    const Layout parts = layout(cellFrame, controlView.isFlipped());
    const QString fontName = font().fontName();
    if (parts.hasFirst)
        platform::ui::drawInRect(primaryTextKeyPath_, parts.first,
                                 cellTextAttributes(Font::fontWithName(fontName, 14), getColor(51, 51, 51, 1.0f)));
    if (parts.hasSecond)
        platform::ui::drawInRect(secondaryTextKeyPath_, parts.second,
                                 cellTextAttributes(Font::fontWithName(fontName, 12), getColor(153, 153, 153, 1.0f)));
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context)
        return;
    GraphicsContext::saveGraphicsState();
    const ImageInterpolation before = context->imageInterpolation();
    context->setImageInterpolation(ImageInterpolation::High);
    iconImage_.drawInRect(parts.icon, Rect(0, 0, 32, 32), CompositingOperation::SourceOver, 1.0, true);
    context->setImageInterpolation(before);
    GraphicsContext::restoreGraphicsState();
}
