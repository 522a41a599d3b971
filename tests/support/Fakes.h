#pragma once

#include "platform/commands/CommandRunner.h"
#include "platform/log/SystemLog.h"
#include "platform/network/HttpClient.h"
#include "platform/version/SystemVersionSource.h"

#include <QMutex>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

namespace test {

// Keeps every logged message.
class RecordingLog : public platform::SystemLog {
public:
    void write(const QString& message) override;
    QStringList messages() const;

private:
    mutable QMutex mutex_;
    QStringList messages_;
};

// Answers the version selectors for a version text, or fails every request with `failure`.
class FakeSystemVersion : public platform::SystemVersionSource {
public:
    explicit FakeSystemVersion(QString version = QStringLiteral("10.15.7")) : version_(std::move(version)) {}
    void setVersion(const QString& version) { version_ = version; }
    void failWith(platform::OSErr error) { failure_ = error; }
    // Fails only the requests for one selector.
    void failSelector(platform::OSType selector, platform::OSErr error)
    {
        failingSelector_ = selector;
        failure_ = error;
    }
    platform::OSErr gestalt(platform::OSType selector, int32_t* response) const override;

private:
    QString version_;
    platform::OSErr failure_ = platform::noErr;
    std::optional<platform::OSType> failingSelector_;
};

// Records what would run and answers with what the test says, running nothing.
class RecordingCommandRunner : public platform::CommandRunner {
public:
    struct Call {
        QByteArray shellLine;      // for runShellLine
        QString program;           // for run
        QStringList arguments;
        QString outputPath;
    };

    Result runShellLine(const QByteArray& line) override;
    Result run(const QString& program, const QStringList& arguments, const QString& outputPath) override;

    std::vector<Call> calls() const;
    // What every later call writes to its output (file or capture) and exits with.
    void answer(QByteArray output, int exitStatus = 0);

private:
    Result finish(const QString& outputPath);

    mutable QMutex mutex_;
    std::vector<Call> calls_;
    QByteArray output_;
    int exitStatus_ = 0;
};

// Answers every request with a fixed body, or with nothing.
class FakeHttpClient : public platform::HttpClient {
public:
    std::optional<QByteArray> get(const QUrl& url, int timeoutMs) override;

    std::optional<QByteArray> body;
    QList<QUrl> requestedUrls;
    QList<int> timeouts;
};

} // namespace test
