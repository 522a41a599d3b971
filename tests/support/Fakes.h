#pragma once

#include "platform/commands/CommandRunner.h"
#include "platform/log/SystemLog.h"
#include "platform/network/HttpClient.h"
#include "platform/version/SimulatedSystemVersion.h"
#include "platform/version/SystemVersionSource.h"

#include <QMutex>
#include <QStringList>

#include <optional>
#include <vector>

namespace test {

class RecordingLog : public platform::SystemLog {
public:
    void write(const QString& message) override
    {
        QMutexLocker lock(&mutex_);
        messages_ << message;
    }
    QStringList messages() const
    {
        QMutexLocker lock(&mutex_);
        return messages_;
    }

private:
    mutable QMutex mutex_;
    QStringList messages_;
};

// Answers the selectors for a version text, or fails them (all, or one selector) with an error.
class FakeSystemVersion : public platform::SystemVersionSource {
public:
    explicit FakeSystemVersion(QString version = QStringLiteral("10.15.7")) : version_(std::move(version)) {}
    void setVersion(const QString& version) { version_ = version; }
    void failWith(platform::OSErr error) { failure_ = error; }
    void failSelector(platform::OSType selector, platform::OSErr error) { failingSelector_ = selector, failure_ = error; }
    platform::OSErr gestalt(platform::OSType selector, int32_t* response) const override
    {
        if (failure_ != platform::noErr && (!failingSelector_ || *failingSelector_ == selector))
            return failure_;
        return platform::SimulatedSystemVersion::answer(version_, selector, response);
    }

private:
    QString version_;
    platform::OSErr failure_ = platform::noErr;
    std::optional<platform::OSType> failingSelector_;
};

// Records what would run, runs nothing and succeeds with no output.
class RecordingCommandRunner : public platform::CommandRunner {
public:
    Result runShellLine(const QByteArray& line) override { return record(QString::fromUtf8(line)); }
    Result run(const QString& program, const QStringList&, const QString&) override { return record(program); }
    std::vector<QString> calls() const { return calls_; }

private:
    Result record(const QString& call)
    {
        calls_.push_back(call);
        return {true, 0, {}};
    }
    std::vector<QString> calls_;
};

class FakeHttpClient : public platform::HttpClient {
public:
    std::optional<QByteArray> get(const QUrl&, int) override { return body; }
    std::optional<QByteArray> body;
};

} // namespace test
