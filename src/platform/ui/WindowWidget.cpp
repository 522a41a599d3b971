#include "internal/WindowWidget.h"

#include "Application.h"
#include "GraphicsContext.h"
#include "KeyCharacters.h"
#include "QtCoordinates.h"
#include "Window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
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

namespace platform::ui {

void WindowWidget::showEvent(QShowEvent* event)
{
    if (!watchingExposure_ && windowHandle()) {
        windowHandle()->installEventFilter(this);
        watchingExposure_ = true;
    }
    QWidget::showEvent(event);
}

void WindowWidget::hideEvent(QHideEvent* event)
{
    exposedSinceShown_ = false;
    QWidget::hideEvent(event);
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle())
        owner_.didChangeExposureFromSystem(windowHandle()->isExposed());
    return false;
}

void WindowWidget::noteExposure(bool exposed)
{
    exposedNow_ = exposed;
    exposedSinceShown_ = exposedSinceShown_ || exposed;
}

bool WindowWidget::isKnownCovered() const
{
    return exposedSinceShown_ && !exposedNow_;
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    // X11 reports Caps Lock in the native state (LockMask); elsewhere it shows in the letters.
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool nativeLock = QGuiApplication::platformName() == QLatin1String("xcb") && (event->nativeModifiers() & 0x2);
    const bool capsLock = nativeLock || capsLockFromText(event->key(), event->text(), shift);
    const KeyCharacters characters = keyCharactersFor(event->key(), event->text(), shift, capsLock);
    NSApp().sendEvent(Event::keyEventWithType(EventType::KeyDown, macModifierFlags(event->modifiers(), capsLock), &owner_,
                                              characters.characters, characters.charactersIgnoringModifiers));
}

} // namespace platform::ui
