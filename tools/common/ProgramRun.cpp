#include "ProgramRun.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

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
    std::vector<QByteArray> words{QFile::encodeName(path)};
    for (const QString& argument : arguments)
        words.push_back(argument.toUtf8());
    const platform::Subprocess program{.executable = words.front(), .arguments = words,
                                       .error = platform::Subprocess::Stream::Captured};
    return program.run();
}

} // namespace tools
