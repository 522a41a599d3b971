#include "StartUpItemBgTableView.h"

#include "RowCards.h"

#include "utilities/GetColor.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

void StartUpItemBgTableView::drawRow(int row, const Rect& clipRect)
{
    setSelectionHighlightStyle(TableViewSelectionHighlightStyle::None);
    getColor(245, 246, 250, 1.0f).set();
    BezierPath::bezierPathWithRoundedRect(RowCards::startupCard(rectOfRow(row)), 4, 4).fill();
    TableView::drawRow(row, clipRect);
}
