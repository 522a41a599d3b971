#include "DesktopLauncher.h"

#include "platform/commands/Subprocess.h"

#include <QFile>
#include <QStandardPaths>

namespace platform::DesktopLauncher {

bool startProgram(const QStringList& arguments, const QString& workingDirectory)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return false;
    const QString& name = arguments.first();
    const QString program = name.contains(QLatin1Char('/')) ? name : QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        return false;
    const Subprocess process{.executable = QFile::encodeName(program),
                             .arguments = Subprocess::argumentVector(program, arguments.mid(1)),
                             .workingFolder = QFile::encodeName(workingDirectory)};
    return process.detach();
}

} // namespace platform::DesktopLauncher
