#include "Cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform::ui {

void Cursor::set() const
{
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
