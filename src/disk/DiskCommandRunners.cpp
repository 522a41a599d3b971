#include "DiskCommandRunners.h"

#include "utilities/CommandOutput.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/files/FileManager.h"

#include <algorithm>
#include <chrono>
#include <mutex>

namespace {

const QString kDiskutil = QStringLiteral("diskutil");

DiskCommandResult finish(const QString& path, int exitStatus)
{
    DiskCommandResult result{path, exitStatus, std::nullopt, {}};
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

// An erase or a mount that has not ended by then is taken for failed.
constexpr std::chrono::minutes kActionTimeout{10};

QString lastLine(const QByteArray& output)
{
    const QList<QByteArray> lines = output.trimmed().split('\n');
    return QString::fromUtf8(lines.last().trimmed());
}

DiskCommandResult tellingResult(const platform::CommandRunner::Result& run, const QString& path)
{
    if (!run.started)
        return {};
    return {path, run.timedOut ? -1 : run.exitStatus, std::nullopt, lastLine(run.standardOutput)};
}

// Both streams go into the output file, so the tool's reason for a refusal can be shown.
DiskCommandResult runFreshTelling(std::mutex& serial, const QString& fileName, const QStringList& arguments)
{
    std::lock_guard lock(serial);
    const QString path = CommandOutput::outputPath(fileName);
    if (path.isEmpty())
        return {};
    auto& platform = platform::Platform::current();
    if (platform.fileManager->fileExistsAtPath(path))
        platform.fileManager->removeItemAtPath(path);
    const auto run = platform.commandRunner->runReader(kDiskutil, arguments, kActionTimeout);
    if (run.started)
        platform.fileManager->createFileAtPath(path, run.standardOutput);
    return tellingResult(run, path);
}

} // namespace

DiskCommandResult ExecCommand(const QStringList& arguments, int slot)
{
    static std::mutex serial[kExecCommandSlots];
    slot = std::clamp(slot, 0, kExecCommandSlots - 1);
    return runFresh(serial[slot], slot == 0 ? QStringLiteral("DRWTray.plist") : QStringLiteral("DRWTray-%1.plist").arg(slot),
                    arguments);
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
    return runFreshTelling(serial, QStringLiteral("eraserVolumeTemp.plist"), arguments);
}

DiskCommandResult renameExecCommand(const QStringList& arguments)
{
    static std::mutex serial;
    return runFreshTelling(serial, QStringLiteral("NTFSRepairTemp.plist"), arguments);
}

DiskCommandResult runTelling(const QString& program, const QStringList& arguments)
{
    return tellingResult(platform::Platform::current().commandRunner->runReader(program, arguments, kActionTimeout),
                         QStringLiteral(""));
}
