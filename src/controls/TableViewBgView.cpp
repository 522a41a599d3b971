#include "TableViewBgView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

void TableViewBgView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(bounds(), 6, getColor(247, 248, 255, 1));
}

void TableViewBgView::mouseDown(const Event&)
{
    if (delegate_)
        delegate_->mouseDownAction();
}
