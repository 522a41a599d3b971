#include "Fakes.h"

#include "platform/version/SimulatedSystemVersion.h"

#include <QFile>
#include <QMutexLocker>

namespace test {

void RecordingLog::write(const QString& message)
{
    QMutexLocker lock(&mutex_);
    messages_ << message;
}

QStringList RecordingLog::messages() const
{
    QMutexLocker lock(&mutex_);
    return messages_;
}

platform::OSErr FakeSystemVersion::gestalt(platform::OSType selector, int32_t* response) const
{
    if (failure_ != platform::noErr && (!failingSelector_ || *failingSelector_ == selector))
        return failure_;
    return platform::SimulatedSystemVersion::answer(version_, selector, response);
}

platform::CommandRunner::Result RecordingCommandRunner::runShellLine(const QByteArray& line)
{
    QMutexLocker lock(&mutex_);
    calls_.push_back({line, {}, {}, {}});
    // A redirected shell line names its output file after the last ">".
    const qsizetype redirect = line.lastIndexOf(" > ");
    return finish(redirect >= 0 ? QString::fromUtf8(line.mid(redirect + 3)) : QString());
}

platform::CommandRunner::Result RecordingCommandRunner::run(const QString& program,
                                                            const QStringList& arguments,
                                                            const QString& outputPath)
{
    QMutexLocker lock(&mutex_);
    calls_.push_back({{}, program, arguments, outputPath});
    return finish(outputPath);
}

platform::CommandRunner::Result RecordingCommandRunner::finish(const QString& outputPath)
{
    Result result;
    result.started = true;
    result.exitStatus = exitStatus_;
    if (outputPath.isEmpty()) {
        result.standardOutput = output_;
    } else {
        QFile file(outputPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(output_);
    }
    return result;
}

std::vector<RecordingCommandRunner::Call> RecordingCommandRunner::calls() const
{
    QMutexLocker lock(&mutex_);
    return calls_;
}

void RecordingCommandRunner::answer(QByteArray output, int exitStatus)
{
    QMutexLocker lock(&mutex_);
    output_ = std::move(output);
    exitStatus_ = exitStatus;
}

std::optional<QByteArray> FakeHttpClient::get(const QUrl& url, int timeoutMs)
{
    requestedUrls << url;
    timeouts << timeoutMs;
    return body;
}

} // namespace test
