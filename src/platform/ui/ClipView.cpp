#include "ClipView.h"

#include "ScrollView.h"

#include "GraphicsContext.h"

#include <algorithm>

namespace platform::ui {

ClipView::ClipView(const Rect& frame)
    : View(frame)
{
}

void ClipView::setDocumentView(std::unique_ptr<View> view)
{
    if (document_) {
        std::unique_ptr<View> old = document_->removeFromSuperview();
        document_ = nullptr;
    }
    if (!view)
        return;
    document_ = addSubview(std::move(view));
    position_ = {};
    documentFrameChanged();
}

Point ClipView::constrainScrollPoint(Point point) const
{
    if (!document_)
        return {};
    const Size document = document_->frame().size;
    const Size shown = frame().size;
    const double maxX = std::max(0.0, document.width - shown.width);
    const double maxY = std::max(0.0, document.height - shown.height);
    return {std::clamp(point.x, 0.0, maxX), std::clamp(point.y, 0.0, maxY)};
}

void ClipView::scrollToPoint(Point point)
{
    const Point before = position_;
    position_ = constrainScrollPoint(point);
    if (document_)
        document_->setFrameOrigin({-position_.x, -position_.y});
    if (position_ != before)
        if (auto* scrollView = dynamic_cast<ScrollView*>(superview()))
            scrollView->reflectScrolledClipView();
}

void ClipView::documentFrameChanged()
{
    scrollToPoint(position_);
}

Rect ClipView::documentVisibleRect() const
{
    if (!document_)
        return {};
    const Rect inDocument = convertRectToView(bounds(), document_);
    const Rect whole = document_->bounds();
    const double x0 = std::max(inDocument.minX(), whole.minX());
    const double y0 = std::max(inDocument.minY(), whole.minY());
    const double x1 = std::min(inDocument.maxX(), whole.maxX());
    const double y1 = std::min(inDocument.maxY(), whole.maxY());
    return Rect(x0, y0, std::max(0.0, x1 - x0), std::max(0.0, y1 - y0));
}

void ClipView::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    setNeedsDisplay();
}

void ClipView::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    setNeedsDisplay();
}

void ClipView::drawRect(const Rect& dirtyRect)
{
    if (!drawsBackground_)
        return;
    backgroundColor_.setFill();
    NSRectFillUsingOperation(dirtyRect, CompositingOperation::SourceOver);
}

void ClipView::resizeSubviewsWithOldSize(Size oldSize)
{
    View::resizeSubviewsWithOldSize(oldSize);
    documentFrameChanged();
}

} // namespace platform::ui
