#include "DesktopLauncher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>

namespace platform::DesktopLauncher {

bool openUrl(const QUrl& url)
{
    // The desktop services need the graphical application object.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool startProgram(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return false;
    return QProcess::startDetached(arguments.first(), arguments.mid(1));
}

} // namespace platform::DesktopLauncher
