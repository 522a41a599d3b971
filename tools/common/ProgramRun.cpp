#include "ProgramRun.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace tools {

QString findProgram(const QString& name)
{
    for (const QByteArray& folder : qgetenv("PATH").split(':')) {
        if (!folder.startsWith('/'))
            continue;
        const QByteArray path = folder + '/' + QFile::encodeName(name);
        struct stat info {};
        if (::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && access(path.constData(), X_OK) == 0)
            return QFile::decodeName(path);
    }
    return {};
}

ProgramOutcome runProgram(const QString& path, const QStringList& arguments)
{
    const platform::Subprocess program{.executable = QFile::encodeName(path),
                                       .arguments = platform::Subprocess::argumentVector(path, arguments),
                                       .error = platform::Subprocess::Stream::Captured};
    return program.run();
}

} // namespace tools
