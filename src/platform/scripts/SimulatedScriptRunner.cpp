#include "SimulatedScriptRunner.h"

#include "platform/log/SystemLog.h"

#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

namespace platform {

namespace {
constexpr int kFileNotFound = -43;
}

ScriptRunner::Result SimulatedScriptRunner::executeSource(const QString& source)
{
    NSLog(QStringLiteral("AppleScript (simulated, not run): ") + source);
    Result result = answer({Request::Kind::Source, source});
    if (result.succeeded && systemEvents_)
        systemEvents_->perform(source);
    return result;
}

ScriptRunner::Result SimulatedScriptRunner::executeFile(const QString& path)
{
    NSLog(QStringLiteral("AppleScript file (simulated, not run): ") + path);
    Result result = answer({Request::Kind::File, path});
    if (result.succeeded && !QFileInfo(path).isFile()) {
        result.succeeded = false;
        result.errorInfo = {
            {QStringLiteral("NSAppleScriptErrorNumber"), kFileNotFound},
            {QStringLiteral("NSAppleScriptErrorMessage"), QStringLiteral("File not found: ") + path},
        };
    }
    // The bundle's scripts are kept as source text.
    if (QFile file(path); result.succeeded && systemEvents_ && file.open(QIODevice::ReadOnly))
        systemEvents_->perform(QString::fromUtf8(file.read(64 * 1024)));
    return result;
}

ScriptRunner::Result SimulatedScriptRunner::answer(Request request)
{
    QMutexLocker lock(&mutex_);
    requests_.push_back(std::move(request));
    Result result;
    result.succeeded = !failure_;
    if (failure_)
        result.errorInfo = *failure_;
    return result;
}

std::vector<SimulatedScriptRunner::Request> SimulatedScriptRunner::requests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

void SimulatedScriptRunner::failWith(QVariantMap errorInfo)
{
    QMutexLocker lock(&mutex_);
    failure_ = std::move(errorInfo);
}

void SimulatedScriptRunner::succeed()
{
    QMutexLocker lock(&mutex_);
    failure_.reset();
}

} // namespace platform
