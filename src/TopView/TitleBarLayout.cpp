#include "TitleBarLayout.h"

#include <cmath>

using platform::ui::Rect;

Rect TitleBarLayout::containerFrame(const Rect& frameView) const
{
    return Rect(0, frameView.minY() + frameView.height() - titleBarHeight, frameView.width(), titleBarHeight);
}

std::array<Rect, 3> TitleBarLayout::trafficLightFrames(const Rect& c, const std::array<Rect, 3>& current) const
{
    auto [close, min, zoom] = current;
    if (!verticalTrafficLightButtons) {
        double y = centerTrafficLightButtons ? std::round(c.minY() + c.height() / 2 - close.height() / 2)
                                             : c.minY() + c.height() - close.height() - trafficLightButtonsTopMargin;
        y += topButtonMoveUp;
        close.origin = {trafficLightButtonsLeftMargin, y};
        min.origin = {close.maxX() + trafficLightSeparation, y};
        zoom.origin = {min.maxX() + trafficLightSeparation, y};
        return {close, min, zoom};
    }
    const double gap = trafficLightSeparation - 2;
    const double total = close.height() + min.height() + zoom.height() + 2 * gap;
    const double start = centerTrafficLightButtons ? std::round(c.minY() + c.height() / 2 - total / 2)
                                                   : c.minY() + c.height() - total - trafficLightButtonsTopMargin;
    const double x = trafficLightButtonsLeftMargin;
    zoom.origin = {x, start};
    min.origin = {x, zoom.maxY() + gap};
    close.origin = {x, min.maxY() + gap};
    return {close, min, zoom};
}

Rect TitleBarLayout::fullScreenButtonFrame(const Rect& c, const Rect& current, double rightMargin) const
{
    Rect frame = current;
    frame.origin.x = c.width() - current.width() - rightMargin;
    frame.origin.y = centerFullScreenButton ? std::round(c.minY() + c.height() / 2 - current.height() / 2)
                                            : c.minY() + c.height() - current.height() - fullScreenButtonTopMargin;
    return frame;
}

double TitleBarLayout::rightMarginOf(const Rect& container, const Rect& button)
{
    return container.width() - button.maxX();
}
