#include "ShoutDownBgView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void ShoutDownBgView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    strokeRoundedRect(bounds(), 3, getColor(255, 255, 255, 0.5));
}
