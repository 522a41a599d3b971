#include "WindowWidget.h"

#include "GraphicsContext.h"
#include "QtCoordinates.h"
#include "Window.h"

#include <QCloseEvent>
#include <QPainter>

namespace platform::ui {

WindowWidget::WindowWidget(Window& owner)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , owner_(owner)
{
    // Per-pixel transparency has to be asked for before the native window exists.
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void WindowWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setTransform(QtCoordinates::drawingTransform(height(), false));
    GraphicsContext context(painter, false);
    Color background = owner_.backgroundColor();
    if (owner_.isOpaque() && background.patternImage().isNull())
        background = background.colorWithAlphaComponent(1.0);
    painter.fillRect(QRectF(0, 0, width(), height()), context.brushFor(background));
}

void WindowWidget::moveEvent(QMoveEvent*)
{
    owner_.syncFrameFromWidget();
}

void WindowWidget::resizeEvent(QResizeEvent*)
{
    owner_.syncFrameFromWidget();
}

void WindowWidget::leaveEvent(QEvent*)
{
    owner_.trackMouseExit();
}

void WindowWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized))
        owner_.didDeminiaturizeFromSystem();
    QWidget::changeEvent(event);
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    // The desktop's close request is the close button's: the window decides.
    event->ignore();
    owner_.performClose();
}

} // namespace platform::ui
