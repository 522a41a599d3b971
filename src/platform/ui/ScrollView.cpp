#include "ScrollView.h"

#include "Event.h"

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

} // namespace platform::ui
