#include "RelatedFilesOutlineView.h"

#include "platform/ui/Event.h"

void RelatedFilesOutlineView::mouseDown(const platform::ui::Event& event)
{
    if (event.clickCount() == 2 && doubleAction_) {
        const int row = rowAtPoint(convertPointFromView(event.locationInWindow(), nullptr));
        if (row >= 0) {
            doubleAction_(row);
            return;
        }
    }
    DowndLoadOutLineView::mouseDown(event);
}
