#include "DesktopLauncher.h"

#include <QProcess>

namespace platform::DesktopLauncher {

bool startProgram(const QStringList& arguments, const QString& workingDirectory)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return false;
    return QProcess::startDetached(arguments.first(), arguments.mid(1), workingDirectory);
}

} // namespace platform::DesktopLauncher
