#include "SortSelectBgView.h"

#include "utilities/GetColor.h"

#include "platform/ui/GraphicsContext.h"
#include "platform/ui/TrackingArea.h"

using namespace platform::ui;

void SortSelectBgView::awakeFromNib()
{
    addTrackingArea(std::make_shared<TrackingArea>(
        bounds(), TrackingArea::MouseEnteredAndExited | TrackingArea::MouseMoved | TrackingArea::ActiveAlways, this));
}

void SortSelectBgView::drawRect(const Rect& dirtyRect)
{
    if (!isMouseIn_)
        return;
    getColor(10, 132, 255, 1).setFill();
    NSRectFill(dirtyRect);
}

void SortSelectBgView::setMouseIn(bool in)
{
    isMouseIn_ = in;
    setNeedsDisplay();
}

void SortSelectBgView::mouseEntered(const Event&)
{
    setMouseIn(true);
}

void SortSelectBgView::mouseExited(const Event&)
{
    setMouseIn(false);
}

void SortSelectBgView::mouseDown(const Event&)
{
    if (delegate_)
        delegate_->selectSortType(*this);
}
