#pragma once

#include "platform/ui/Window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace uitest {

// The pointer as the window system drives it: a press goes to the widget under the pointer,
// later moves and the release go to that same widget until the button comes up. Points are
// in the window's base coordinates (origin bottom left, y up).
class Mouse {
public:
    explicit Mouse(platform::ui::Window& window) : window_(window) {}

    void press(platform::ui::Point at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        grabbed_ = widgetAt(at);
        send(grabbed_, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    }
    void drag(platform::ui::Point to) { send(grabbed_ ? grabbed_.data() : widgetAt(to), QEvent::MouseMove, to, Qt::LeftButton); }
    void release(platform::ui::Point at)
    {
        QWidget* target = grabbed_ ? grabbed_.data() : widgetAt(at);
        grabbed_.clear();
        send(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    void click(platform::ui::Point at)
    {
        press(at);
        release(at);
    }
    // A second click within the double-click time: press, release, double-click, release.
    void doubleClick(platform::ui::Point at)
    {
        click(at);
        QWidget* target = widgetAt(at);
        send(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
        send(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    void move(platform::ui::Point to) { send(widgetAt(to), QEvent::MouseMove, to, Qt::NoButton); }
    // A wheel turn over a point; positive `dy` scrolls toward the top of the content.
    void wheel(platform::ui::Point at, double dy)
    {
        QWidget* target = widgetAt(at);
        const QPointF local = target->mapFrom(top(), qtPoint(at));
        QWheelEvent event(local, top()->mapToGlobal(qtPoint(at)), QPoint(0, int(dy)), QPoint(0, int(dy * 8)),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
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
    void send(QWidget* target, QEvent::Type type, platform::ui::Point at, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (!target)
            return;
        const QPointF local = target->mapFrom(top(), qtPoint(at));
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, top()->mapToGlobal(qtPoint(at)), button, buttons, modifiers);
        QApplication::sendEvent(target, &event);
    }

    platform::ui::Window& window_;
    QPointer<QWidget> grabbed_;
};

} // namespace uitest
