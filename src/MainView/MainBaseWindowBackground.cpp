#include "MainBaseWindowBackground.h"

#include "platform/ui/BezierPath.h"
#include "platform/ui/Color.h"

using namespace platform::ui;

Image mainBaseWindowBackground(Size windowSize)
{
    Image image(windowSize);
    image.lockFocus();
    Color::colorWithRed(1, 1, 1, 0.1).setFill();
    BezierPath::bezierPathWithRoundedRect(Rect(0, 0, 480, 600), 8, 8).fill();
    image.unlockFocus();
    return image;
}
