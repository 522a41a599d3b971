#include "BaseBgView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void BaseBgView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(bounds(), 8, getColor(255, 255, 255, 0.9));
}
