#include "RoundedImageView.h"

#include "platform/ui/BezierPath.h"
#include "platform/ui/Color.h"
#include "platform/ui/GraphicsContext.h"

using namespace platform::ui;

void RoundedImageView::setCornerRadius(double radius)
{
    cornerRadius_ = radius;
    setNeedsDisplay();
}

void RoundedImageView::setBorderWidth(double width)
{
    borderWidth_ = width;
    setNeedsDisplay();
}

void RoundedImageView::drawRect(const Rect& dirtyRect)
{
    const BezierPath outline = BezierPath::bezierPathWithRoundedRect(bounds(), cornerRadius_, cornerRadius_);
    GraphicsContext::saveGraphicsState();
    outline.addClip();
    ImageView::drawRect(dirtyRect);
    GraphicsContext::restoreGraphicsState();
    if (borderWidth_ > 0) {
        // The border lies inside the bounds, as a layer draws it.
        const double inset = borderWidth_ / 2;
        BezierPath border = BezierPath::bezierPathWithRoundedRect(bounds().insetBy(inset, inset),
                                                                  cornerRadius_ - inset, cornerRadius_ - inset);
        border.setLineWidth(borderWidth_);
        Color::blackColor().setStroke();
        border.stroke();
    }
}
