#include "TMProgressBar.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

Color TMProgressBar::colorForWidth(double width)
{
    return width < 160 ? getColor(0, 195, 248, 1) : getColor(255, 192, 6, 1);
}

void TMProgressBar::drawRect(const Rect&)
{
    fillRoundedRect(Rect(0, 0, frame().width(), bounds().height()), 2, colorForWidth(frame().width()));
}
