#include "ScrollView.h"

#include "Event.h"

#include <algorithm>

namespace platform::ui {

ScrollView::ScrollView(const Rect& frame)
    : View(frame)
{
    auto clip = std::make_unique<ClipView>(bounds());
    clip->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
    clip_ = addSubview(std::move(clip));
}

void ScrollView::scrollWheel(const Event& event)
{
    const Point at = clip_->scrollPosition();
    clip_->scrollToPoint({at.x - event.scrollingDeltaX(), at.y - event.scrollingDeltaY()});
}

void ScrollView::setVerticalScroller(std::unique_ptr<Scroller> scroller)
{
    if (scroller_)
        (void)scroller_->removeFromSuperview(); // owned here: destroyed
    scroller_ = scroller ? addSubview(std::move(scroller)) : nullptr;
    tile();
    reflectScrolledClipView();
}

void ScrollView::tile()
{
    tileWithScrollerWidth(
        scroller_ ? Scroller::scrollerWidthForControlSize(scroller_->controlSize(), scroller_->scrollerStyle()) : 0);
}

void ScrollView::tileWithScrollerWidth(double scrollerWidth)
{
    const Rect whole = bounds();
    const double width = std::max(0.0, whole.width() - scrollerWidth);
    clip_->setFrame(Rect(0, 0, width, whole.height()));
    if (scroller_)
        scroller_->setFrame(Rect(width, 0, whole.width() - width, whole.height()));
}

void ScrollView::reflectScrolledClipView()
{
    if (!scroller_)
        return;
    const View* document = clip_->documentView();
    const double documentHeight = document ? document->frame().height() : 0;
    const double shown = clip_->frame().height();
    const double hidden = documentHeight - shown;
    scroller_->setKnobProportion(documentHeight > 0 ? shown / documentHeight : 1);
    const double value = std::clamp(hidden > 0 ? clip_->scrollPosition().y / hidden : 0.0, 0.0, 1.0);
    if (value != scroller_->floatValue()) // a scroller hears only of moves
        scroller_->setFloatValue(value);
}

void ScrollView::resizeSubviewsWithOldSize(Size oldSize)
{
    View::resizeSubviewsWithOldSize(oldSize);
    if (scroller_)
        tile();
}

} // namespace platform::ui
