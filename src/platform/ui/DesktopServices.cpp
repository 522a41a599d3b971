#include "DesktopServices.h"

#include <QDesktopServices>
#include <QGuiApplication>

namespace platform::ui {

bool openUrlOnDesktop(const QUrl& url)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace platform::ui
