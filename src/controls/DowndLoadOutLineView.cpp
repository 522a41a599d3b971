#include "DowndLoadOutLineView.h"

#include "RowCards.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

DowndLoadOutLineView::DowndLoadOutLineView(const Rect& frame)
    : OutlineView(frame)
{
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
}

void DowndLoadOutLineView::setSelectRow(int32_t row)
{
    rowNum_ = row;
    setNeedsDisplay();
}

void DowndLoadOutLineView::drawRow(int row, const Rect& clipRect)
{
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
    RowCards::markColor(row, rowNum_).set();
    BezierPath::bezierPathWithRect(rectOfRow(row)).fill();
    OutlineView::drawRow(row, clipRect);
}
