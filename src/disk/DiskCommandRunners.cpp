#include "DiskCommandRunners.h"

#include "CommandOutput.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"

#include <mutex>

namespace {

const QString kDiskutil = QStringLiteral("diskutil");

DiskCommandResult finish(const QString& path, int exitStatus)
{
    DiskCommandResult result{path, exitStatus, std::nullopt};
    if (result.succeeded())
        result.dictionary = CommandOutput::readDictionary(path);
    return result;
}

// Removes the previous output before the run.
DiskCommandResult runFresh(std::mutex& serial, const QString& fileName, const QStringList& arguments)
{
    std::lock_guard lock(serial);
    int exitStatus = -1;
    const QString path = CommandOutput::runProgram(fileName, kDiskutil, arguments, &exitStatus);
    return finish(path, exitStatus);
}

} // namespace

DiskCommandResult ExecCommand(const QStringList& arguments)
{
    static std::mutex serial;
    return runFresh(serial, QStringLiteral("DRWTray.plist"), arguments);
}

DiskCommandResult aepairExecCommand(const QStringList& arguments)
{
    // This runner leaves its old file in place; a run that did not start is no answer at all.
    static std::mutex serial;
    std::lock_guard lock(serial);
    const QString path = CommandOutput::outputPath(QStringLiteral("OrlaStartMenuRepairTemp.plist"));
    if (path.isEmpty())
        return {};
    const auto run = platform::Platform::current().commandRunner->run(kDiskutil, arguments, path);
    return finish(run.started ? path : QString(), run.exitStatus);
}

DiskCommandResult eraserExecCommand(const QStringList& arguments)
{
    static std::mutex serial;
    return runFresh(serial, QStringLiteral("eraserVolumeTemp.plist"), arguments);
}

DiskCommandResult renameExecCommand(const QStringList& arguments)
{
    static std::mutex serial;
    return runFresh(serial, QStringLiteral("NTFSRepairTemp.plist"), arguments);
}
