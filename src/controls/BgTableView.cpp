#include "BgTableView.h"

#include "RowCards.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

void BgTableView::drawRow(int row, const Rect& clipRect)
{
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
    RowCards::markColor(row, rowNum()).set();
    BezierPath::bezierPathWithRoundedRect(RowCards::listCard(rectOfRow(row)), 4, 4).fill();
    TableView::drawRow(row, clipRect);
}
