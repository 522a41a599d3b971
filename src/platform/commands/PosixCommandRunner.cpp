#include "PosixCommandRunner.h"

#include "Subprocess.h"

#include "platform/log/SystemLog.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

CommandRunner::Result startAndWait(const Subprocess& process)
{
    const Subprocess::Result ran = process.run();
    return {ran.started, ran.exitStatus, ran.standardOutput, ran.timedOut};
}

bool isProgramFile(const QByteArray& path)
{
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && access(path.constData(), X_OK) == 0;
}

} // namespace

PosixCommandRunner::PosixCommandRunner(QString helpersPath, QString homePath)
    : helpers_(QFile::encodeName(helpersPath))
{
    if (!helpers_.startsWith('/')) {
        helpersProblem_ = QStringLiteral("The helpers' folder \"%1\" is not an absolute path").arg(helpersPath);
        helpers_.clear();
    } else if (helpers_.contains(':')) {
        helpersProblem_ = QStringLiteral("The helpers' folder \"%1\" holds \":\", so it cannot go on PATH").arg(helpersPath);
    }
    for (const QByteArray& folder : qgetenv("PATH").split(':')) {
        if (folder.startsWith('/'))
            searchFolders_.push_back(folder);
    }
    if (searchFolders_.empty())
        searchFolders_ = {"/usr/local/bin", "/usr/bin", "/bin"};

    QByteArray path = helpersProblem_.isEmpty() ? helpers_ : QByteArray();
    for (const QByteArray& folder : searchFolders_)
        path += (path.isEmpty() ? "" : ":") + folder;
    environment_ = Subprocess::currentEnvironmentWith({"PATH=" + path, "HOME=" + QFile::encodeName(homePath)});
}

QByteArray PosixCommandRunner::standInFor(const QByteArray& path) const
{
    // A Mac tool named by its place on the Mac (/usr/sbin/diskutil) is our stand-in of that
    // name; a program without one (/bin/sh) is the system's own.
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = path.left(slash);
    if (helpers_.isEmpty() || !helpersProblem_.isEmpty()
        || !(folder == "/usr/sbin" || folder == "/usr/bin" || folder == "/sbin" || folder == "/bin"))
        return path;
    const QByteArray helper = helpers_ + path.mid(slash);
    return isProgramFile(helper) ? helper : path;
}

QByteArray PosixCommandRunner::resolve(const QString& program) const
{
    const QByteArray name = QFile::encodeName(program);
    if (name.contains('/')) {
        if (name.startsWith('/'))
            return standInFor(name);
        NSLog(QStringLiteral("Not running \"%1\": a relative path depends on the current folder").arg(program));
        return {};
    }
    if (helpers_.isEmpty()) {
        NSLog(helpersProblem_ + QStringLiteral("; not running \"%1\"").arg(program));
        return {};
    }
    if (const QByteArray helper = helpers_ + '/' + name; isProgramFile(helper))
        return helper;
    for (const QByteArray& folder : searchFolders_) {
        if (const QByteArray candidate = folder + '/' + name; isProgramFile(candidate))
            return candidate;
    }
    return {};
}

CommandRunner::Result PosixCommandRunner::runShellLine(const QByteArray& line)
{
    if (!helpersProblem_.isEmpty()) {
        NSLog(helpersProblem_ + QStringLiteral("; not running a shell line"));
        return {};
    }
    return startAndWait({.executable = "/bin/sh", .arguments = {"sh", "-c", line}, .environment = environment_});
}

CommandRunner::Result PosixCommandRunner::run(const QString& program, const QStringList& arguments,
                                              const QString& outputPath)
{
    QByteArray executable = resolve(program);
    if (executable.isEmpty())
        return {};
    return startAndWait({.executable = executable,
                         .arguments = Subprocess::argumentVector(program, arguments),
                         .environment = environment_,
                         .outputFile = QFile::encodeName(outputPath)});
}

CommandRunner::Result PosixCommandRunner::runReader(const QString& program, const QStringList& arguments,
                                                    std::chrono::milliseconds timeout)
{
    // A shell started here would find the system's tools of the Mac's names.
    if (!helpersProblem_.isEmpty()) {
        NSLog(helpersProblem_ + QStringLiteral("; not running \"%1\"").arg(program));
        return {};
    }
    QByteArray executable = resolve(program);
    if (executable.isEmpty())
        return {};
    return startAndWait({.executable = executable,
                         .arguments = Subprocess::argumentVector(program, arguments),
                         .environment = environment_,
                         .error = Subprocess::Stream::WithOutput,
                         .timeout = timeout,
                         .ownProcessGroup = true});
}

} // namespace platform
