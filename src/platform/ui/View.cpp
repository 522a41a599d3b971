#include "View.h"

#include "GraphicsContext.h"
#include "QtCoordinates.h"
#include "internal/ViewWidget.h"
#include "Window.h"

#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace platform::ui {

namespace {

// One axis of the autoresizing rule: the superview's change is shared among the flexible
// parts (margin before, size, margin after) in proportion to their present lengths.
void resizeAxis(double oldSuper, double newSuper, double& position, double& length, bool minFlexible,
                bool sizeFlexible, bool maxFlexible)
{
    const double delta = newSuper - oldSuper;
    const int flexible = int(minFlexible) + int(sizeFlexible) + int(maxFlexible);
    if (delta == 0 || flexible == 0)
        return;
    const double before = position;
    const double after = oldSuper - position - length;
    const double total = (minFlexible ? before : 0) + (sizeFlexible ? length : 0) + (maxFlexible ? after : 0);
    auto share = [&](bool isFlexible, double part) {
        if (!isFlexible)
            return 0.0;
        return total > 0 ? delta * part / total : delta / flexible;
    };
    position += share(minFlexible, before);
    length = std::max(0.0, length + share(sizeFlexible, length));
}

} // namespace

View::View(const Rect& frame)
    : frame_(frame)
    , widget_(new ViewWidget(*this))
{
    applyGeometry();
}

View::~View()
{
    const std::vector<View*> subviews = subviews_;
    for (View* view : subviews) {
        if (view->ownedBySuperview_) {
            delete view;
        } else {
            view->detachFromSuperview();
            view->windowChanged();
        }
    }
    detachFromSuperview();
    delete widget_;
}

QWidget* View::widget() const
{
    return widget_;
}

void View::setFrame(const Rect& frame)
{
    const Rect old = frame_;
    frame_ = frame;
    applyGeometry();
    if (old.size != frame.size) {
        resizeSubviewsWithOldSize(old.size);
        // An unflipped view measures its subviews from its bottom: their widgets move.
        for (View* view : subviews_)
            view->applyGeometry();
        updateTrackingAreas();
        widget_->update();
    }
}

void View::setFrameOrigin(Point origin)
{
    setFrame(Rect(origin, frame_.size));
}

void View::setFrameSize(Size size)
{
    setFrame(Rect(frame_.origin, size));
}

void View::resizeSubviewsWithOldSize(Size oldSize)
{
    const std::vector<View*> subviews = subviews_;
    for (View* view : subviews)
        view->resizeWithOldSuperviewSize(oldSize);
}

void View::resizeWithOldSuperviewSize(Size oldSize)
{
    if (!superview_ || autoresizingMask_ == ViewNotSizable)
        return;
    const Size now = superview_->frame_.size;
    Rect frame = frame_;
    const unsigned m = autoresizingMask_;
    resizeAxis(oldSize.width, now.width, frame.origin.x, frame.size.width, m & ViewMinXMargin,
               m & ViewWidthSizable, m & ViewMaxXMargin);
    resizeAxis(oldSize.height, now.height, frame.origin.y, frame.size.height, m & ViewMinYMargin,
               m & ViewHeightSizable, m & ViewMaxYMargin);
    setFrame(frame);
}

Window* View::window() const
{
    for (const View* view = this; view; view = view->superview_)
        if (view->contentWindow_)
            return view->contentWindow_;
    return nullptr;
}

void View::adopt(View* view, bool owned)
{
    if (!view || view == this || isDescendantOf(view))
        return; // a view cannot hold itself or an ancestor
    owned = owned || view->ownedBySuperview_;
    const Window* before = view->window();
    view->detachFromSuperview();
    view->superview_ = this;
    view->ownedBySuperview_ = owned;
    subviews_.push_back(view);
    view->widget_->setParent(widget_);
    view->applyGeometry();
    view->widget_->setVisible(!view->hidden_);
    view->widget_->raise();
    if (view->window() != before)
        view->windowChanged();
}

std::unique_ptr<View> View::removeFromSuperview()
{
    if (!superview_)
        return nullptr;
    const bool owned = ownedBySuperview_;
    const Window* before = window();
    detachFromSuperview();
    if (before)
        windowChanged();
    return owned ? std::unique_ptr<View>(this) : nullptr;
}

void View::viewWillStartLiveResize()
{
    const std::vector<View*> subviews = subviews_;
    for (View* view : subviews)
        view->viewWillStartLiveResize();
}

void View::viewDidEndLiveResize()
{
    const std::vector<View*> subviews = subviews_;
    for (View* view : subviews)
        view->viewDidEndLiveResize();
}

void View::setAlphaValue(double alpha)
{
    alphaValue_ = std::clamp(alpha, 0.0, 1.0);
    widget_->update();
}

void View::sortSubviewsUsingFunction(SubviewComparator compare, void* context)
{
    std::stable_sort(subviews_.begin(), subviews_.end(),
                     [&](View* a, View* b) { return compare(a, b, context) < 0; });
    for (View* view : subviews_)
        view->widget_->raise();
}

void View::detachFromSuperview()
{
    if (!superview_)
        return;
    auto& siblings = superview_->subviews_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    superview_ = nullptr;
    ownedBySuperview_ = false;
    widget_->hide();
    widget_->setParent(nullptr);
}

void View::setContentWindow(Window* window)
{
    contentWindow_ = window;
    if (window) {
        widget_->setParent(window->widget());
        applyGeometry();
        widget_->setVisible(!hidden_);
    } else {
        widget_->hide();
        widget_->setParent(nullptr);
    }
    windowChanged();
}

void View::windowChanged()
{
    for (const auto& area : trackingAreas_)
        area->setInside((area->options() & TrackingArea::AssumeInside) != 0);
    viewDidMoveToWindow();
    updateTrackingAreas();
    const std::vector<View*> subviews = subviews_;
    for (View* view : subviews)
        view->windowChanged();
}

bool View::isDescendantOf(const View* view) const
{
    for (const View* v = this; v; v = v->superview_)
        if (v == view)
            return true;
    return false;
}

Point View::pointToBase(Point point) const
{
    for (const View* view = this; view; view = view->superview_) {
        const bool superFlipped = view->superview_ ? view->superview_->isFlipped() : false;
        const Rect frame = view->superview_ ? view->frame_ : Rect({0, 0}, view->frame_.size);
        point = QtCoordinates::pointToSuperview(point, frame, view->isFlipped(), superFlipped);
    }
    return point;
}

Point View::pointFromBase(Point point) const
{
    std::vector<const View*> chain;
    for (const View* view = this; view; view = view->superview_)
        chain.push_back(view);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const View* view = *it;
        const bool superFlipped = view->superview_ ? view->superview_->isFlipped() : false;
        const Rect frame = view->superview_ ? view->frame_ : Rect({0, 0}, view->frame_.size);
        point = QtCoordinates::pointFromSuperview(point, frame, view->isFlipped(), superFlipped);
    }
    return point;
}

Point View::convertPointFromView(Point point, const View* view) const
{
    return pointFromBase(view ? view->pointToBase(point) : point);
}

Point View::convertPointToView(Point point, const View* view) const
{
    const Point base = pointToBase(point);
    return view ? view->pointFromBase(base) : base;
}

Rect View::convertRectToView(const Rect& rect, const View* view) const
{
    const Point a = convertPointToView({rect.minX(), rect.minY()}, view);
    const Point b = convertPointToView({rect.maxX(), rect.maxY()}, view);
    return Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}

void View::applyGeometry()
{
    QRect geometry;
    if (superview_)
        geometry = QtCoordinates::subviewGeometry(frame_, superview_->frame_.height(), superview_->isFlipped());
    else
        geometry = QtCoordinates::subviewGeometry(Rect({0, 0}, frame_.size), frame_.height(), false);
    widget_->setGeometry(geometry);
}

void View::setHidden(bool hidden)
{
    hidden_ = hidden;
    if (superview_ || contentWindow_)
        widget_->setVisible(!hidden);
}

bool View::isHiddenOrHasHiddenAncestor() const
{
    for (const View* view = this; view; view = view->superview_)
        if (view->hidden_)
            return true;
    return false;
}

void View::setNeedsDisplay(bool needsDisplay)
{
    if (needsDisplay)
        widget_->update();
}

void View::setNeedsDisplayInRect(const Rect& rect)
{
    widget_->update(QtCoordinates::subviewGeometry(rect, frame_.height(), isFlipped()));
}

void View::display()
{
    if (widget_->isVisible())
        widget_->repaint();
}

void View::drawRect(const Rect&)
{
}

void View::setToolTip(const QString& toolTip)
{
    toolTip_ = toolTip;
    // The Mac shows tool tips as plain text; Qt would take markup-like text as rich text.
    widget_->setToolTip(Qt::mightBeRichText(toolTip) ? Qt::convertFromPlainText(toolTip, Qt::WhiteSpacePre) : toolTip);
}

void View::addTrackingArea(std::shared_ptr<TrackingArea> area)
{
    if (area && std::find(trackingAreas_.begin(), trackingAreas_.end(), area) == trackingAreas_.end())
        trackingAreas_.push_back(std::move(area));
}

void View::removeTrackingArea(const TrackingArea* area)
{
    trackingAreas_.erase(std::remove_if(trackingAreas_.begin(), trackingAreas_.end(),
                                        [area](const auto& a) { return a.get() == area; }),
                         trackingAreas_.end());
}

Responder* View::nextResponder() const
{
    if (superview_)
        return superview_;
    return contentWindow_;
}

QImage View::renderToImage() const
{
    const QSize size = widget_->size();
    QImage image(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget_->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace platform::ui
