#include "AboutVersionBgView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void AboutVersionBgView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(dirtyRect, 4, getColor(167, 175, 184, 0.3));
}
