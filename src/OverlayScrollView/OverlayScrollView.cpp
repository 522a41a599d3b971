#include "OverlayScrollView.h"

#include "OverlayScroller.h"

#include "platform/ui/TableView.h"

#include <algorithm>

using namespace platform::ui;

OverlayScrollView::OverlayScrollView(const Rect& frame)
    : ScrollView(frame)
    , headerOffset_(tableHeaderOffsetFromSuperview())
{
}

void OverlayScrollView::awakeFromNib()
{
    headerOffset_ = tableHeaderOffsetFromSuperview();
}

std::int64_t OverlayScrollView::tableHeaderOffsetFromSuperview() const
{
    for (View* subview : subviews()) {
        if (!dynamic_cast<ClipView*>(subview))
            continue;
        for (View* inner : subview->subviews()) {
            if (const auto* table = dynamic_cast<TableView*>(inner)) {
                const View* header = table->headerView();
                return header ? std::int64_t(header->frame().height()) : 0;
            }
        }
    }
    return 0;
}

void OverlayScrollView::tile()
{
    tileWithScrollerWidth(OverlayScroller::zeroWidth());
    Scroller* scroller = verticalScroller();
    if (!scroller)
        return;
    const double width = Scroller::scrollerWidthForControlSize(scroller->controlSize(), scroller->scrollerStyle());
    // Unflipped: the header strip is the top `headerOffset` points.
    const Rect whole = bounds();
    scroller->setFrame(Rect(whole.width() - width, 0, width, std::max(0.0, whole.height() - double(headerOffset_))));
    sortSubviewsUsingFunction(scrollerAboveSiblingViewsComparator, nullptr);
}

int scrollerAboveSiblingViewsComparator(View* first, View* second, void*)
{
    if (dynamic_cast<OverlayScroller*>(first))
        return 1;
    if (dynamic_cast<OverlayScroller*>(second))
        return -1;
    return 0;
}
