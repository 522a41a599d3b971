#include "AttachedWindow.h"

#include "utilities/PublicUtilities.h"

#include "platform/ui/Application.h"
#include "platform/ui/ScreenUpdates.h"
#include "platform/ui/TrackingArea.h"
#include "platform/ui/WindowNotifications.h"
#include "platform/ui/WindowServer.h"

#include <optional>
#include <utility>

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;
using Geometry = AttachedWindowGeometry;

namespace {

// What the background image is drawn from.
struct OutlineDrawing {
    Size size;
    std::vector<OutlineOperation> path;
    Color fill;
    Color border;
    double borderWidth;
    double scale;
    bool operator==(const OutlineDrawing& other) const = default;
};

} // namespace

AttachedWindow::AttachedWindow(View& view, Point point, Window* window, int side, float distance, Variant variant)
    : PopBaseWindow(Rect({0, 0}, view.frame().size), WindowStyleMaskBorderless, BackingStoreType::Buffered, false)
    , view_(&view)
    , window_(window)
    , point_(point)
    , side_(side)
    , distance_(distance)
{
    setAlphaValue(0.99);
    setHasShadow(true);
    setOpaque(false);
    setMovableByWindowBackground(true);
    setExcludedFromWindowsMenu(true);
    useOptimizedDrawing(true);
    setStyleMask(WindowStyleMaskBorderless);
    setBackingType(BackingStoreType::Buffered);

    const int version = PublicUtilities::getSystemVersion();
    if (const int radius = AttachedWindowStyle::blurRadius(version))
        setWindowBackgroundBlurRadius(radius);

    // The defaults go in as given; only the setters meet the limits of the view's size.
    fillColor_ = AttachedWindowStyle::fillColor(variant, version);
    borderColor_ = AttachedWindowStyle::borderColor(variant, version);
    const Size size = view.frame().size;

    if (side_ == AttachedSideAutomatic) {
        Window* anchorWindow = window_.get();
        std::optional<Screen> screen = anchorWindow ? anchorWindow->screen() : std::nullopt;
        if (!screen)
            screen = Screen::mainScreen();
        const Rect visible = screen ? screen->visibleFrame() : Rect();
        const Rect reference = anchorWindow ? anchorWindow->frame() : visible;
        side_ = Geometry::bestSideForAutomaticPosition(size, anchorOnScreen(), distance_, metrics_, scale(), visible,
                                                       reference);
    }

    updateGeometry();
    updateBackground();
    contentView()->addSubview(view);

    auto& center = NotificationCenter::defaultCenter();
    resizeObservation_ = center.addObserver(this, NSWindowDidResizeNotification, this,
                                            [this](const Notification& n) { windowDidResize(n); });
    const QString hideTrigger =
        variant == Variant::Light ? NSWindowDidResignKeyNotification : NSWindowWillCloseNotification;
    hideObservation_ = center.addObserver(this, hideTrigger, this, [this](const Notification&) { closeMattachedWindow(); });

    updateTrackingAreas();
    if (StatusAttachedWindowDelegate* delegate = mattachedWDelegate())
        delegate->mouseInWindow(false);
}

AttachedWindow::~AttachedWindow()
{
    resizeObservation_.reset();
    hideObservation_.reset();
}

double AttachedWindow::scale() const
{
    const std::optional<Screen> main = Screen::mainScreen();
    return main ? main->userSpaceScaleFactor() : 1.0;
}

Point AttachedWindow::anchorOnScreen() const
{
    if (Window* window = window_.get())
        return window->convertBaseToScreen(point_);
    return point_;
}

void AttachedWindow::updateGeometry()
{
    View* view = view_.get();
    if (!view)
        return;
    const Geometry::Placement placement =
        Geometry::placement(view->frame().size, anchorOnScreen(), side_, distance_, metrics_, scale());
    viewFrame_ = placement.viewFrame;
    setFrame(placement.windowFrame, false);
    view->setFrame(viewFrame_);
}

std::vector<OutlineOperation> AttachedWindow::backgroundPath() const
{
    return AttachedWindowOutline::operations(viewFrame_, side_, metrics_, scale());
}

Image AttachedWindow::backgroundColorPatternImage() const
{
    // The last image drawn serves the next window of the same shape and colours: the start
    // menu's window is made anew at every build. Main thread only, as every window.
    static std::optional<std::pair<OutlineDrawing, Image>> last;
    OutlineDrawing drawing{frame().size, backgroundPath(), fillColor_, borderColor_, metrics_.borderWidth, scale()};
    if (last && last->first == drawing)
        return last->second;

    Image image(drawing.size);
    image.lockFocus();
    BezierPath path = AttachedWindowOutline::path(drawing.path);
    path.addClip();
    fillColor_.set();
    path.fill();
    if (metrics_.borderWidth > 0) {
        // The clip keeps the inner half of the stroke: the border shows `borderWidth` wide.
        path.setLineWidth(metrics_.borderWidth * 2 * drawing.scale);
        borderColor_.set();
        path.stroke();
    }
    image.unlockFocus();
    last.emplace(std::move(drawing), image);
    return image;
}

void AttachedWindow::updateBackground()
{
    ScreenUpdatesSuspension suspended;
    Window::setBackgroundColor(Color::colorWithPatternImage(backgroundColorPatternImage()));
    if (isVisible()) {
        display();
        invalidateShadow();
    }
}

void AttachedWindow::redisplay()
{
    if (resizing_)
        return;
    resizing_ = true;
    {
        ScreenUpdatesSuspension suspended;
        updateGeometry();
        updateBackground();
    }
    resizing_ = false;
}

void AttachedWindow::setPoint(Point point, int side)
{
    point_ = point;
    side_ = side;
    ScreenUpdatesSuspension suspended;
    updateGeometry();
    updateBackground();
}

void AttachedWindow::setBackgroundColor(const Color& color)
{
    if (color == fillColor_)
        return;
    fillColor_ = color;
    updateBackground();
}

void AttachedWindow::setBorderColor(const Color& color)
{
    if (color == borderColor_)
        return;
    borderColor_ = color;
    updateBackground();
}

void AttachedWindow::setBorderWidth(double width)
{
    if (width == metrics_.borderWidth)
        return;
    metrics_.borderWidth = Geometry::clampedBorderWidth(width, metrics_.viewMargin);
    updateBackground();
}

void AttachedWindow::setViewMargin(double margin)
{
    if (margin == metrics_.viewMargin)
        return;
    metrics_.viewMargin = Geometry::clampedViewMargin(margin);
    setCornerRadius(metrics_.cornerRadius);
}

void AttachedWindow::setArrowBaseWidth(double width)
{
    metrics_.arrowBaseWidth = Geometry::clampedArrowBaseWidth(width, viewFrame_.size, metrics_.viewMargin,
                                                              metrics_.cornerRadius,
                                                              metrics_.drawsRoundCornerBesideArrow);
    redisplay();
}

void AttachedWindow::setArrowHeight(double height)
{
    if (height == metrics_.arrowHeight)
        return;
    metrics_.arrowHeight = height;
    redisplay();
}

void AttachedWindow::setHasArrow(bool hasArrow)
{
    if (hasArrow == metrics_.hasArrow)
        return;
    metrics_.hasArrow = hasArrow;
    updateBackground();
}

void AttachedWindow::setCornerRadius(double radius)
{
    metrics_.cornerRadius =
        Geometry::clampedCornerRadius(radius, viewFrame_.size, metrics_.viewMargin, metrics_.arrowBaseWidth);
    setArrowBaseWidth(metrics_.arrowBaseWidth);
}

void AttachedWindow::setDrawsRoundCornerBesideArrow(bool draws)
{
    if (draws == metrics_.drawsRoundCornerBesideArrow)
        return;
    metrics_.drawsRoundCornerBesideArrow = draws;
    redisplay();
}

void AttachedWindow::setBackgroundImage(const Image& image)
{
    if (image.isNull())
        return;
    setBackgroundColor(Color::colorWithPatternImage(image));
}

void AttachedWindow::setWindowBackgroundBlurRadius(int radius)
{
    CGSSetWindowBackgroundBlurRadius(CGSDefaultConnectionForThread(), windowNumber(), radius);
}

void AttachedWindow::performClose()
{
    if (Window* window = window_.get())
        window->performClose();
    else
        Window::performClose();
}

void AttachedWindow::close()
{
    windowWillClose(Notification{NSWindowWillCloseNotification, this, {}});
    Window::close();
}

void AttachedWindow::windowWillClose(const Notification&)
{
    // Only this window's own run ends: closing a window that is not modal (a child pop-up over
    // a dialog) must not end the dialog's run under it.
    NSApp().stopModalForWindow(*this);
}

void AttachedWindow::windowDidResize(const Notification&)
{
    redisplay();
}

void AttachedWindow::updateTrackingAreas()
{
    View* content = contentView();
    const auto areas = content->trackingAreas();
    for (const auto& area : areas)
        content->removeTrackingArea(area.get());
    const unsigned options =
        TrackingArea::MouseEnteredAndExited | TrackingArea::MouseMoved | TrackingArea::ActiveAlways;
    content->addTrackingArea(std::make_shared<TrackingArea>(content->bounds(), options, this));
}

void AttachedWindow::mouseEntered(const Event&)
{
    if (StatusAttachedWindowDelegate* delegate = mattachedWDelegate())
        delegate->mouseInWindow(true);
}

void AttachedWindow::mouseExited(const Event&)
{
    if (StatusAttachedWindowDelegate* delegate = mattachedWDelegate())
        delegate->mouseInWindow(false);
}

void AttachedWindow::closeMattachedWindow()
{
    if (StatusAttachedWindowDelegate* delegate = mattachedWDelegate())
        delegate->isHiddenWindow();
}
