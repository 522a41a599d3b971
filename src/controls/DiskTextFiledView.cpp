#include "DiskTextFiledView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void DiskTextFiledView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(dirtyRect, 6, getColor(0, 0, 0, 0.12));
}
