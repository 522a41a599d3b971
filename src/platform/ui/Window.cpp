#include "Window.h"

#include "Application.h"
#include "platform/notifications/NotificationCenter.h"
#include "QtCoordinates.h"
#include "View.h"
#include "WindowDelegate.h"
#include "WindowNotifications.h"
#include "WindowServer.h"
#include "internal/WindowWidget.h"

#include <QApplication>
#include <QPainter>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {

int nextWindowNumber = 1;

QRect primaryGeometry()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

void collectViews(View* view, std::vector<View*>& views)
{
    if (!view)
        return;
    views.push_back(view);
    for (View* subview : view->subviews())
        collectViews(subview, views);
}

} // namespace

Window::Window(const Rect& contentRect, unsigned styleMask, BackingStoreType, bool /*defer*/)
    : frame_(contentRect)
    , styleMask_(styleMask)
    , windowNumber_(nextWindowNumber++)
    , widget_(std::make_unique<WindowWidget>(*this))
{
    applyGeometry();
    auto content = std::make_unique<View>(Rect({0, 0}, contentRect.size));
    content->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
    setContentView(std::move(content));
    NSApp().registerWindow(*this);
}

Window::~Window()
{
    if (Window* parent = parent_.get())
        parent->removeChildWindow(*this);
    for (Window* child : childWindows())
        removeChildWindow(*child);
    NSApp().unregisterWindow(*this);
    if (contentView_)
        contentView_->contentWindow_ = nullptr;
    contentView_.reset();
    widget_.reset();
}

QWidget* Window::widget() const
{
    return widget_.get();
}

void Window::applyGeometry()
{
    widget_->setGeometry(QtCoordinates::screenFrameToQt(frame_, primaryGeometry()));
}

void Window::syncFrameFromWidget()
{
    if (!widget_ || !widget_->isVisible())
        return;
    const QRect primary = primaryGeometry();
    const QRect geometry = widget_->geometry();
    if (geometry == QtCoordinates::screenFrameToQt(frame_, primary))
        return; // our own change
    setFrame(QtCoordinates::screenFrameFromQt(geometry, primary), false);
}

void Window::setFrame(const Rect& frame, bool display)
{
    const Rect old = frame_;
    frame_ = frame;
    applyGeometry();
    const bool moved = old.origin != frame.origin;
    const bool resized = old.size != frame.size;
    if (resized && contentView_)
        contentView_->setFrame(Rect({0, 0}, frame.size));
    if (display)
        this->display();
    WeakRef<Window> alive(this);
    if (moved)
        post(NSWindowDidMoveNotification);
    if (resized && alive)
        post(NSWindowDidResizeNotification);
}

void Window::setFrameOrigin(Point origin)
{
    setFrame(Rect(origin, frame_.size), false);
}

void Window::center()
{
    std::optional<Screen> target = screen();
    if (!target)
        target = Screen::mainScreen();
    if (!target)
        return;
    const Rect v = target->visibleFrame();
    const double x = std::floor(v.minX() + (v.width() - frame_.width()) / 2);
    const double y = std::floor(v.minY() + (v.height() - frame_.height()) * 2 / 3);
    setFrameOrigin({x, y});
}

Point Window::convertBaseToScreen(Point point) const
{
    return {point.x + frame_.minX(), point.y + frame_.minY()};
}

std::optional<Screen> Window::screen() const
{
    return Screen::screenForRect(frame_);
}

void Window::setContentView(std::unique_ptr<View> view)
{
    if (!view)
        view = std::make_unique<View>();
    if (view->superview()) {
        // `view` is the one owner already; a superview that thought it owned it lets go.
        std::unique_ptr<View> released = view->removeFromSuperview();
        (void)released.release();
    }
    if (contentView_)
        contentView_->setContentWindow(nullptr);
    contentView_ = std::move(view);
    contentView_->setFrame(Rect({0, 0}, frame_.size));
    contentView_->setContentWindow(this);
}

void Window::setAlphaValue(double alpha)
{
    widget_->setWindowOpacity(std::clamp(alpha, 0.0, 1.0));
}

void Window::setOpaque(bool opaque)
{
    opaque_ = opaque;
    widget_->backgroundChanged();
}

void Window::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    widget_->backgroundChanged();
}

void Window::setTitle(const QString& title)
{
    title_ = title;
    widget_->setWindowTitle(title);
}

void Window::makeKeyAndOrderFront()
{
    orderFront();
    makeKeyWindow();
    makeMainWindow();
}

void Window::orderFront()
{
    if (!widget_->isVisible())
        updateBackdrop();
    widget_->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) // nothing to stack there
        widget_->raise();
    if (miniaturized_ && !widget_->isMinimized()) // hidden for want of a window manager
        didDeminiaturizeFromSystem();
}

void Window::updateBackdrop()
{
    using Desktop = WindowBackdrop::Desktop;
    if (backgroundBlurRadius_ <= 0) {
        widget_->setBackdrop(std::nullopt, {});
        return;
    }
    const Desktop desktop = desktopCompositing();
    widget_->setBackdrop(desktop, desktop == Desktop::Translucent
                                      ? WindowBackdrop::blurred(imageBeneath(), backgroundBlurRadius_)
                                      : QImage());
}

QImage Window::imageBeneath() const
{
    const QRect primary = primaryGeometry();
    const QRect area = QtCoordinates::screenFrameToQt(frame_, primary);
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (QScreen* screen = QGuiApplication::primaryScreen())
            painter.drawPixmap(0, 0, screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()));
    // A compositor may leave the program's own windows out of the grab: they are known here.
    for (const Window* other : NSApp().windows()) {
        bool beneath = other->isVisible();
        for (const Window* w = other; w && beneath; w = w->parentWindow())
            beneath = w != this;
        const QRect place = QtCoordinates::screenFrameToQt(other->frame_, primary);
        if (beneath && place.intersects(area))
            painter.drawImage(place.topLeft() - area.topLeft(), other->renderToImage());
    }
    return image;
}

void Window::orderFrontRegardless()
{
    orderFront();
}

void Window::orderOut()
{
    widget_->hide();
    NSApp().windowLeftScreen(*this);
}

void Window::addChildWindow(Window& child, WindowOrderingMode place)
{
    if (&child == this || place == WindowOrderingMode::Out)
        return;
    if (Window* old = child.parentWindow())
        old->removeChildWindow(child);
    child.parent_ = this;
    children_.push_back(&child);
    // The desktop keeps a transient window above the one it belongs to.
    if (place == WindowOrderingMode::Above && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        child.widget_->winId(); // the native window has to exist to carry the link
        widget_->winId();
        child.widget_->windowHandle()->setTransientParent(widget_->windowHandle());
    }
    if (isVisible())
        child.orderFront();
}

void Window::removeChildWindow(Window& child)
{
    if (child.parent_.get() != this)
        return;
    child.parent_.reset();
    if (QWindow* handle = child.widget_->windowHandle())
        handle->setTransientParent(nullptr);
    children_.erase(std::remove_if(children_.begin(), children_.end(),
                                   [&](const WeakRef<Window>& w) { return !w || w.get() == &child; }),
                    children_.end());
}

std::vector<Window*> Window::childWindows() const
{
    std::vector<Window*> children;
    for (const WeakRef<Window>& child : children_)
        if (Window* w = child.get())
            children.push_back(w);
    return children;
}

void Window::makeKeyWindow()
{
    if (!canBecomeKeyWindow())
        return;
    NSApp().setKeyWindow(this);
    if (widget_->isVisible())
        widget_->activateWindow();
}

void Window::makeMainWindow()
{
    if (canBecomeMainWindow())
        NSApp().setMainWindow(this);
}

bool Window::isVisible() const
{
    return widget_->isVisible();
}

bool Window::isKeyWindow() const
{
    return NSApp().keyWindow() == this;
}

bool Window::isMainWindow() const
{
    return NSApp().mainWindow() == this;
}

bool Window::canBecomeKeyWindow() const
{
    return (styleMask_ & (WindowStyleMaskTitled | WindowStyleMaskResizable)) != 0;
}

bool Window::canBecomeMainWindow() const
{
    return canBecomeKeyWindow();
}

void Window::didBecomeKey()
{
    becomeKeyWindow();
    post(NSWindowDidBecomeKeyNotification);
}

void Window::didResignKey()
{
    resignKeyWindow();
    post(NSWindowDidResignKeyNotification);
}

void Window::didBecomeMain()
{
    becomeMainWindow();
    post(NSWindowDidBecomeMainNotification);
}

void Window::didResignMain()
{
    resignMainWindow();
    post(NSWindowDidResignMainNotification);
}

Responder* Window::firstResponder()
{
    Responder* responder = firstResponder_.get();
    return responder ? responder : this;
}

bool Window::makeFirstResponder(Responder* responder)
{
    if (responder == this)
        responder = nullptr;
    Responder* current = firstResponder_.get();
    if (current == responder)
        return true;
    if (responder && !responder->acceptsFirstResponder())
        return false;
    if (current && !current->resignFirstResponder())
        return false;
    firstResponder_.reset();
    if (responder && !responder->becomeFirstResponder())
        return false;
    firstResponder_ = responder;
    return true;
}

unsigned Window::occlusionState() const
{
    if (!isVisible() || miniaturized_ || widget_->isKnownCovered())
        return 0;
    return WindowOcclusionStateVisible;
}

void Window::miniaturize()
{
    if (miniaturized_)
        return;
    miniaturized_ = true;
    // With no window manager nothing would iconify it: it leaves the screen until shown again.
    if (desktopHasWindowManager())
        widget_->showMinimized();
    else
        widget_->hide();
    NSApp().windowLeftScreen(*this);
    post(NSWindowDidMiniaturizeNotification);
}

void Window::zoom()
{
    std::optional<Screen> target = screen();
    if (!target)
        target = Screen::mainScreen();
    if (!target)
        return;
    const Rect standard = target->visibleFrame();
    if (unzoomedFrame_ && frame_ == standard) {
        const Rect back = *unzoomedFrame_;
        unzoomedFrame_.reset();
        setFrame(back, true);
        return;
    }
    unzoomedFrame_ = frame_;
    setFrame(standard, true);
}

void Window::didDeminiaturizeFromSystem()
{
    if (!miniaturized_)
        return;
    miniaturized_ = false;
    post(NSWindowDidDeminiaturizeNotification);
}

void Window::didChangeExposureFromSystem(bool exposed)
{
    widget_->noteExposure(exposed);
}

void Window::close()
{
    if (closing_)
        return;
    closing_ = true;
    WeakRef<Window> alive(this);
    post(NSWindowWillCloseNotification);
    if (!alive)
        return; // an observer let the window go
    orderOut();
    closing_ = false;
}

void Window::performClose()
{
    if (!(styleMask_ & WindowStyleMaskClosable)) {
        QApplication::beep(); // no close button
        return;
    }
    if (delegate_ && !delegate_->windowShouldClose(*this))
        return;
    close();
}

void Window::display()
{
    if (widget_->isVisible())
        widget_->repaint();
}

bool Window::setFrameAutosaveName(const QString& name)
{
    return NSApp().claimFrameAutosaveName(*this, name);
}

void Window::mouseDown(const Event& event)
{
    if (movableByBackground_ && event.view() && event.view()->mouseDownCanMoveWindow()) {
        dragStart_ = event.locationOnScreen();
        dragOrigin_ = frame_.origin;
    }
}

void Window::mouseDragged(const Event& event)
{
    if (!dragStart_)
        return;
    const Point now = event.locationOnScreen();
    setFrameOrigin({dragOrigin_.x + now.x - dragStart_->x, dragOrigin_.y + now.y - dragStart_->y});
}

void Window::mouseUp(const Event&)
{
    dragStart_.reset();
}

void Window::noteMouseDown()
{
    if (!isKeyWindow() && canBecomeKeyWindow())
        makeKeyAndOrderFront();
}

void Window::trackMouse(Point locationInWindow, bool dragging)
{
    std::vector<View*> views;
    collectViews(contentView_.get(), views);
    trackAreas(views, locationInWindow, dragging);
}

void Window::trackMouseExit()
{
    std::vector<View*> views;
    collectViews(contentView_.get(), views);
    trackAreas(views, std::nullopt, false);
}

void Window::trackAreas(const std::vector<View*>& views, std::optional<Point> location, bool dragging)
{
    struct Pending {
        WeakRef<Responder> owner;
        Event event;
        std::shared_ptr<TrackingArea> area; // kept alive while its owner is told
    };
    std::vector<Pending> pending;
    const bool key = isKeyWindow();
    for (View* view : views) {
        const bool shown = !view->isHiddenOrHasHiddenAncestor();
        const Point local = location ? view->convertPointFromView(*location, nullptr) : Point{};
        for (const auto& area : view->trackingAreas()) {
            const unsigned options = area->options();
            if (dragging && !(options & TrackingArea::EnabledDuringMouseDrag))
                continue;
            const bool active = (options & (TrackingArea::ActiveAlways | TrackingArea::ActiveInActiveApp))
                || ((options & (TrackingArea::ActiveInKeyWindow | TrackingArea::ActiveWhenFirstResponder)) && key);
            const Rect rect = (options & TrackingArea::InVisibleRect) ? view->bounds() : area->rect();
            const bool inside = location && shown && active && rect.containsPoint(local);
            EventType type;
            if (inside != area->isInside()) {
                area->setInside(inside);
                if (!(options & TrackingArea::MouseEnteredAndExited))
                    continue;
                type = inside ? EventType::MouseEntered : EventType::MouseExited;
            } else if (inside && (options & TrackingArea::MouseMoved)) {
                type = EventType::MouseMoved;
            } else {
                continue;
            }
            Event::Fields f;
            f.type = type;
            f.locationInWindow = location.value_or(Point{});
            f.locationOnScreen = convertBaseToScreen(f.locationInWindow);
            f.window = this;
            f.view = view;
            f.trackingArea = area.get();
            pending.push_back({area->owner(), Event(f), area});
        }
    }
    for (const Pending& p : pending) {
        Responder* owner = p.owner.get();
        if (!owner)
            continue;
        switch (p.event.type()) {
        case EventType::MouseEntered: owner->mouseEntered(p.event); break;
        case EventType::MouseExited: owner->mouseExited(p.event); break;
        default: owner->mouseMoved(p.event); break;
        }
    }
}

QImage Window::renderToImage() const
{
    const QSize size = widget_->size();
    QImage image(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget_->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

void Window::post(const QString& name)
{
    const Notification notification{name, this, {}};
    WeakRef<Window> alive(this);
    if (WindowDelegate* d = delegate_) {
        if (name == NSWindowWillCloseNotification)
            d->windowWillClose(notification);
        else if (name == NSWindowDidResizeNotification)
            d->windowDidResize(notification);
        else if (name == NSWindowDidMoveNotification)
            d->windowDidMove(notification);
        else if (name == NSWindowDidBecomeKeyNotification)
            d->windowDidBecomeKey(notification);
        else if (name == NSWindowDidResignKeyNotification)
            d->windowDidResignKey(notification);
        else if (name == NSWindowDidBecomeMainNotification)
            d->windowDidBecomeMain(notification);
        else if (name == NSWindowDidResignMainNotification)
            d->windowDidResignMain(notification);
        else if (name == NSWindowDidMiniaturizeNotification)
            d->windowDidMiniaturize(notification);
        else if (name == NSWindowDidDeminiaturizeNotification)
            d->windowDidDeminiaturize(notification);
    }
    if (alive)
        NotificationCenter::defaultCenter().postNotification(notification);
}

} // namespace platform::ui
