#include "BgTableView.h"

#include "RowCards.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

BgTableView::BgTableView(const Rect& frame)
    : TableView(frame)
{
    // Set before the first drawing, so that the selection never shows.
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
}

void BgTableView::setSelectRow(int32_t row)
{
    rowNum_ = row;
    setNeedsDisplay();
}

void BgTableView::drawRow(int row, const Rect& clipRect)
{
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
    RowCards::markColor(row, rowNum_).set();
    BezierPath::bezierPathWithRoundedRect(RowCards::listCard(rectOfRow(row)), 4, 4).fill();
    TableView::drawRow(row, clipRect);
}
