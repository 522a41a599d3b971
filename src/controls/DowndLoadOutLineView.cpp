#include "DowndLoadOutLineView.h"

#include "RowCards.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

void DowndLoadOutLineView::drawRow(int row, const Rect& clipRect)
{
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
    RowCards::markColor(row, rowNum()).set();
    BezierPath::bezierPathWithRect(rectOfRow(row)).fill();
    OutlineView::drawRow(row, clipRect);
}
