#include "DesktopLauncher.h"

#include <QProcess>

namespace platform::DesktopLauncher {

bool startProgram(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return false;
    return QProcess::startDetached(arguments.first(), arguments.mid(1));
}

} // namespace platform::DesktopLauncher
