#include "CleanCellBgView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void CleanCellBgView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(bounds(), 4, getColor(245, 246, 250, 1));
}
