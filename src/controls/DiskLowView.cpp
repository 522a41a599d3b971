#include "DiskLowView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void DiskLowView::drawRect(const Rect& dirtyRect)
{
    fillRoundedRect(Rect(0, 0, dirtyRect.width(), 112).insetBy(0.5, 0.5), 4, getColor(255, 255, 255, 0.3));
}
