#include "RoundedRectPainting.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

void fillRoundedRect(const Rect& rect, double radius, const Color& color)
{
    color.setFill();
    BezierPath::bezierPathWithRoundedRect(rect, radius, radius).fill();
}

void strokeRoundedRect(const Rect& rect, double radius, const Color& color)
{
    color.setStroke();
    BezierPath::bezierPathWithRoundedRect(rect, radius, radius).stroke();
}
