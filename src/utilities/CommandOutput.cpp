#include "CommandOutput.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/plist/PropertyListSerialization.h"

#include <QFile>

namespace {

QString preparedOutputPath(const QString& fileName)
{
    const QString path = CommandOutput::outputPath(fileName);
    if (path.isEmpty())
        return path;
    const auto& files = *platform::Platform::current().fileManager;
    if (files.fileExistsAtPath(path))
        files.removeItemAtPath(path); // a failure shows as stale output, as it always has
    return path;
}

// The path as one shell word.
QByteArray shellQuoted(const QString& path)
{
    QByteArray bytes = QFile::encodeName(path);
    bytes.replace('\'', "'\\''");
    return '\'' + bytes + '\'';
}

} // namespace

QString CommandOutput::outputPath(const QString& fileName)
{
    const QString folder = platform::Platform::current().searchPaths->temporaryDirectory();
    if (folder.isEmpty())
        return {}; // never "/" + name at the root
    return folder + QLatin1Char('/') + fileName;
}

bool CommandOutput::fits(const QByteArray& line, std::size_t bufferSize)
{
    return std::size_t(line.size()) + 1 <= bufferSize;
}

QString CommandOutput::runShellLine(const QString& fileName, const QByteArray& command)
{
    if (command.isNull())
        return {};
    const QString path = outputPath(fileName);
    const QByteArray line = command + " > " + shellQuoted(path);
    if (path.isEmpty() || !fits(line, kShellLineBufferSize))
        return {};
    preparedOutputPath(fileName);
    platform::Platform::current().commandRunner->runShellLine(line);
    return path;
}

QString CommandOutput::runProgram(const QString& fileName, const QString& program,
                                  const QStringList& arguments, int* exitStatus)
{
    const QString path = preparedOutputPath(fileName);
    if (path.isEmpty())
        return {};
    const auto result = platform::Platform::current().commandRunner->run(program, arguments, path);
    if (exitStatus)
        *exitStatus = result.exitStatus;
    return result.started ? path : QString();
}

std::optional<QVariantMap> CommandOutput::readDictionary(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QVariant contents = platform::Platform::current().propertyLists->propertyListFromFile(path);
    if (contents.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return contents.toMap();
}
