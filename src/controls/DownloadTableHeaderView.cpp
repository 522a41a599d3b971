#include "DownloadTableHeaderView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"

#include "platform/ui/BezierPath.h"

using namespace platform::ui;

namespace {

void strokeLine(Point from, Point to, double width)
{
    BezierPath line;
    line.moveToPoint(from);
    line.lineToPoint(to);
    line.setLineWidth(width);
    line.stroke();
}

} // namespace

void DownloadTableHeaderView::drawRect(const Rect& dirtyRect)
{
    View::drawRect(dirtyRect);
    fillRoundedRect(dirtyRect, 6, getColor(248, 248, 248, 0.3));
    getColor(0, 0, 0, 0.1).setStroke();
    strokeLine({0, 5}, {528, 5}, 0.5);
    strokeLine({385, 5}, {385, 25}, 1.0);
}
