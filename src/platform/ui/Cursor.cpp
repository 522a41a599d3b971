#include "Cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform::ui {

namespace {
Cursor::Shape current = Cursor::Shape::Arrow; // main thread, like every cursor change
}

Cursor Cursor::currentCursor()
{
    return Cursor(current);
}

void Cursor::set() const
{
    current = shape_;
    if (shape_ == Shape::Arrow) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(Qt::PointingHandCursor));
    else
        QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
}

} // namespace platform::ui
