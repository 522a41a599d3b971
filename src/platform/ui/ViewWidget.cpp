#include "internal/ViewWidget.h"

#include "GraphicsContext.h"
#include "KeyCharacters.h"
#include "QtCoordinates.h"
#include "View.h"
#include "Window.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

namespace platform::ui {

namespace {

Event makeEvent(ViewWidget& widget, const QSinglePointEvent& qt, EventType type, int clickCount)
{
    Event::Fields f;
    f.type = type;
    f.view = &widget.view();
    f.window = widget.view().window();
    f.modifierFlags = macModifierFlags(qt.modifiers(), false);
    f.clickCount = clickCount;
    const QScreen* primary = QGuiApplication::primaryScreen();
    f.locationOnScreen = QtCoordinates::screenPointFromQt(qt.globalPosition(), primary ? primary->geometry() : QRect());
    if (f.window) {
        const QWidget* top = f.window->widget();
        const QPointF inWindow = widget.mapTo(top, qt.position());
        f.locationInWindow = QtCoordinates::pointFromWidget(inWindow, f.window->frame().height(), false);
    } else {
        // A view in no window (one lent to a menu): its root view's coordinates, as its
        // conversions from the base expect.
        const View* root = &widget.view();
        while (root->superview())
            root = root->superview();
        const QWidget* top = root->widget();
        const QPointF inRoot = top == &widget ? qt.position() : widget.mapTo(top, qt.position());
        f.locationInWindow = QtCoordinates::pointFromWidget(inRoot, top->height(), false);
    }
    Event::setMouseLocation(f.locationOnScreen);
    return Event(f);
}

} // namespace

ViewWidget::ViewWidget(View& view)
    : view_(view)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ViewWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(view_.alphaValue());
    const bool flipped = view_.isFlipped();
    const double height = view_.frame().height();
    painter.setTransform(QtCoordinates::drawingTransform(height, flipped));
    GraphicsContext context(painter, flipped);
    CurrentContextScope current(context);
    view_.drawRect(QtCoordinates::rectFromWidget(event->rect(), height, flipped));
}

void ViewWidget::mousePressEvent(QMouseEvent* event)
{
    const bool right = event->button() == Qt::RightButton;
    const Event e = makeEvent(*this, *event, right ? EventType::RightMouseDown : EventType::LeftMouseDown, 1);
    pressClickCount_ = 1;
    WeakRef<View> alive(&view_);
    if (Window* window = e.window())
        window->noteMouseDown();
    if (!alive)
        return;
    if (right)
        view_.rightMouseDown(e);
    else
        view_.mouseDown(e);
}

void ViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const bool right = event->button() == Qt::RightButton;
    const Event e = makeEvent(*this, *event, right ? EventType::RightMouseDown : EventType::LeftMouseDown, 2);
    pressClickCount_ = 2;
    if (right)
        view_.rightMouseDown(e);
    else
        view_.mouseDown(e);
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    const bool dragging = event->buttons() != Qt::NoButton;
    const Event e = makeEvent(*this, *event, dragging ? EventType::LeftMouseDragged : EventType::MouseMoved, 0);
    WeakRef<View> alive(&view_);
    if (Window* window = e.window())
        window->trackMouse(e.locationInWindow(), dragging);
    if (alive && dragging && (event->buttons() & Qt::LeftButton))
        view_.mouseDragged(e);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        return;
    view_.mouseUp(makeEvent(*this, *event, EventType::LeftMouseUp, pressClickCount_));
}

void ViewWidget::wheelEvent(QWheelEvent* event)
{
    // A notch of a wheel is 30 points; a touchpad gives its own distance.
    Event e = makeEvent(*this, *event, EventType::ScrollWheel, 0);
    Event::Fields f = e.fields();
    const QPoint pixels = event->pixelDelta();
    if (!pixels.isNull()) {
        f.scrollingDeltaX = pixels.x();
        f.scrollingDeltaY = pixels.y();
    } else {
        f.scrollingDeltaX = event->angleDelta().x() / 120.0 * 30;
        f.scrollingDeltaY = event->angleDelta().y() / 120.0 * 30;
    }
    view_.scrollWheel(Event(f));
}

} // namespace platform::ui
