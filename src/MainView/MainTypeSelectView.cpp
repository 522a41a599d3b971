#include "MainTypeSelectView.h"

#include "controls/RoundedRectPainting.h"
#include "utilities/GetColor.h"

using namespace platform::ui;

void MainTypeSelectView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(bounds(), 1, getColor(39, 124, 226, 1));
}
