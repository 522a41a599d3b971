#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/Image.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QString>
#include <QWheelEvent>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>

// Readable texts in the test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace uitest {

// A view that draws what the test says, flipped or not.
class DrawingView : public platform::ui::View {
public:
    DrawingView(const platform::ui::Rect& frame, bool flipped, std::function<void()> draw = {})
        : View(frame), flipped_(flipped), draw_(std::move(draw)) {}
    bool isFlipped() const override { return flipped_; }
    void drawRect(const platform::ui::Rect&) override { if (draw_) draw_(); }

private:
    bool flipped_;
    std::function<void()> draw_;
};

// A buffered window, not yet on the screen.
inline std::unique_ptr<platform::ui::Window> makeWindow(const platform::ui::Rect& frame,
                                                        unsigned style = platform::ui::WindowStyleMaskTitled)
{
    return std::make_unique<platform::ui::Window>(frame, style, platform::ui::BackingStoreType::Buffered, false);
}

// An image of one colour.
inline platform::ui::Image solidImage(double width, double height, const platform::ui::Color& color)
{
    platform::ui::Image image(platform::ui::Size{width, height});
    image.lockFocus();
    color.setFill();
    platform::ui::NSRectFill(platform::ui::Rect(0, 0, width, height));
    image.unlockFocus();
    return image;
}

inline platform::ui::Image redSquare(double side) { return solidImage(side, side, platform::ui::Color::colorWithRed(1, 0, 0, 1)); }

// The pixel at (x, y) counted from the image's bottom left, as the views measure.
inline QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, image.height() - 1 - y); }

// Whether a pixel is close to a colour (8-bit channels, alpha included).
inline bool near(const QColor& actual, const QColor& expected, int tolerance = 3)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance
        && std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

// How many pixels of `area` (in the image's own rows, top first) pass `test`.
template <typename Test>
int countPixels(const QImage& image, const QRect& area, Test test)
{
    int count = 0;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

// A press at (10, 10) of `widget`, a move by (30, 20) in Qt's coordinates and the release,
// delivered straight to the widget as the window system would while the button is down.
inline void dragWidget(QWidget* widget)
{
    const auto send = [widget](QEvent::Type type, QPointF local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, local + QPointF(490, 490), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    send(QEvent::MouseMove, {40, 30}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {40, 30}, Qt::NoButton);
}

// The pointer as the window system drives it: a press goes to the widget under the pointer,
// later moves and the release go to that same widget until the button comes up. Points are
// in the window's base coordinates (origin bottom left, y up).
class Mouse {
public:
    explicit Mouse(platform::ui::Window& window) : window_(window) {}

    void press(platform::ui::Point at)
    {
        grabbed_ = widgetAt(at);
        send(grabbed_, QEvent::MouseButtonPress, at, Qt::LeftButton);
    }
    void drag(platform::ui::Point to) { send(grabbed_ ? grabbed_.data() : widgetAt(to), QEvent::MouseMove, to, Qt::LeftButton); }
    void release(platform::ui::Point at)
    {
        QWidget* target = grabbed_ ? grabbed_.data() : widgetAt(at);
        grabbed_.clear();
        send(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    void click(platform::ui::Point at) { press(at), release(at); }
    void move(platform::ui::Point to) { send(widgetAt(to), QEvent::MouseMove, to, Qt::NoButton); }
    // Positive `dy` scrolls toward the top of the content.
    void wheel(platform::ui::Point at, double dy)
    {
        QWidget* target = widgetAt(at);
        QWheelEvent event(target->mapFrom(top(), qtPoint(at)), top()->mapToGlobal(qtPoint(at)), QPoint(0, int(dy)),
                          QPoint(0, int(dy * 8)), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

private:
    QWidget* top() const { return window_.widget(); }
    QPointF qtPoint(platform::ui::Point at) const { return {at.x, window_.frame().height() - at.y}; }
    QWidget* widgetAt(platform::ui::Point at) const
    {
        QWidget* child = top()->childAt(qtPoint(at).toPoint());
        return child ? child : top();
    }
    void send(QWidget* target, QEvent::Type type, platform::ui::Point at, Qt::MouseButtons buttons)
    {
        if (!target)
            return;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, target->mapFrom(top(), qtPoint(at)), top()->mapToGlobal(qtPoint(at)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    platform::ui::Window& window_;
    QPointer<QWidget> grabbed_;
};

} // namespace uitest
