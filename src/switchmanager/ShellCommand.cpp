#include "ShellCommand.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/dispatch/Lifetime.h"
#include "platform/log/SystemLog.h"

namespace ShellCommand {

namespace {
const QString kBash = QStringLiteral("/bin/bash");
}

QString read(const QString& line)
{
    const platform::CommandRunner::Result result =
        platform::Platform::current().commandRunner->runReader(kBash, {QStringLiteral("-c"), line}, kReadTimeout);
    if (result.timedOut)
        platform::NSLog(QStringLiteral("\"%1\" gave no answer within %2 seconds").arg(line).arg(kReadTimeout.count() / 1000));
    return QString::fromUtf8(result.standardOutput);
}

namespace {

void runWriters(const QStringList& lines)
{
    // Through the reader's run too: it refuses a shell whose PATH lacks the stand-ins, which
    // would reach this machine's `killall` and `open`.
    for (const QString& line : lines) {
        const QByteArray said = platform::Platform::current().commandRunner->runReader(
            kBash, {QStringLiteral("-c"), line}, kWriteTimeout).standardOutput;
        if (!said.isEmpty())
            platform::NSLog(QStringLiteral("\"%1\": %2").arg(line, QString::fromUtf8(said).trimmed()));
    }
}

} // namespace

void launch(const QStringList& lines)
{
    platform::dispatchAsyncGlobal([lines] { runWriters(lines); });
}

void launchAndReadBack(const QStringList& lines, const QString& readLine, std::function<void(const QString&)> then)
{
    platform::dispatchAsyncGlobal([lines, readLine, then = std::move(then)] {
        runWriters(lines);
        platform::dispatchAsyncMain([then, said = read(readLine)] { then(said); });
    });
}

void launchProgram(const QString& path, const QStringList& arguments)
{
    platform::dispatchAsyncGlobal([path, arguments] {
        platform::Platform::current().commandRunner->run(path, arguments);
    });
}

} // namespace ShellCommand
