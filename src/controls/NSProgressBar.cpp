#include "NSProgressBar.h"

#include "utilities/GetColor.h"

#include "platform/ui/BezierPath.h"
#include "platform/ui/Gradient.h"

using namespace platform::ui;

void NSProgressBar::drawRect(const Rect&)
{
    const Rect rect(0, 0, frame().width(), bounds().height());
    const Gradient gradient(getColor(79, 157, 254, 1), getColor(51, 98, 229, 1));
    gradient.drawInBezierPath(BezierPath::bezierPathWithRoundedRect(rect, 3, 3), 0);
}
