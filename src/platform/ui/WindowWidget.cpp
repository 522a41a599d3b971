#include "internal/WindowWidget.h"

#include "Application.h"
#include "GraphicsContext.h"
#include "KeyCharacters.h"
#include "QtCoordinates.h"
#include "Window.h"
#include "internal/X11Desktop.h"

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
    if (!composed_.isNull())
        painter.drawImage(0, 0, composed_);
    else
        paintBackground(painter);
}

void WindowWidget::paintBackground(QPainter& painter) const
{
    painter.setTransform(QtCoordinates::drawingTransform(height(), false));
    GraphicsContext context(painter, false);
    Color background = owner_.backgroundColor();
    if (owner_.isOpaque() && background.patternImage().isNull())
        background = background.colorWithAlphaComponent(1.0);
    painter.fillRect(QRectF(0, 0, width(), height()), context.brushFor(background));
}

void WindowWidget::setBackdrop(std::optional<WindowBackdrop::Desktop> desktop, QImage beneath)
{
    desktop_ = desktop;
    beneath_ = std::move(beneath);
    composeBackground();
}

void WindowWidget::backgroundChanged()
{
    composeBackground();
}

void WindowWidget::composeBackground()
{
    using Desktop = WindowBackdrop::Desktop;
    composed_ = QImage();
    const std::optional<X11Desktop> x11 = X11Desktop::current();
    // A desktop that blurs for the window and needs no shape from it: nothing to work out.
    if (!desktop_ || (desktop_ == Desktop::BlurBehind && !x11)) {
        if (!mask().isEmpty())
            clearMask();
        update();
        return;
    }
    // The start menu's window is made anew at every build, with the same background (the same
    // pattern image): the last one over nothing serves the next. Main thread only, as every window.
    struct Key {
        QSize size;
        qint64 pattern = 0;
        QRgb colour = 0;
        bool opaque = false;
        bool operator==(const Key& other) const = default;
    };
    static struct {
        std::optional<Key> key;
        QImage opaque;
        QRegion shape;
    } last;
    const Color& colour = owner_.backgroundColor();
    const Key key{size(), colour.patternImage().isNull() ? 0 : colour.patternImage().toQImage().cacheKey(),
                  colour.toQColor().rgba(), owner_.isOpaque()};
    if (!beneath_.isNull() || last.key != key) {
        QImage background(size(), QImage::Format_ARGB32_Premultiplied);
        background.fill(Qt::transparent);
        QPainter painter(&background);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        paintBackground(painter);
        painter.end();
        last.opaque = WindowBackdrop::composed(background, beneath_);
        last.shape = WindowBackdrop::shape(last.opaque);
        last.key = beneath_.isNull() ? std::optional<Key>(key) : std::nullopt;
    }
    if (desktop_ != Desktop::BlurBehind)
        composed_ = last.opaque;
    if (x11) {
        if (desktop_ == Desktop::BlurBehind)
            x11->setBlurBehind(std::uint32_t(winId()), last.shape);
        // Without a compositor the transparent pixels would show black: they are left out.
        if (desktop_ == Desktop::Opaque)
            setMask(last.shape);
        else if (!mask().isEmpty())
            clearMask();
    }
    update();
}

void WindowWidget::moveEvent(QMoveEvent*)
{
    owner_.syncFrameFromWidget();
}

void WindowWidget::resizeEvent(QResizeEvent*)
{
    if (desktop_)
        composeBackground();
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
