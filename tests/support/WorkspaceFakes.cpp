#include "WorkspaceFakes.h"

namespace test {

using platform::NSApplicationName;
using platform::NSApplicationPath;
using platform::NSApplicationProcessIdentifier;
using platform::TavrinProcessStartTime;

QVariantMap FakeWorkspace::application(const QString& name, qint64 pid, const QString& path, qint64 startTime)
{
    return {
        {NSApplicationName, name},
        {NSApplicationProcessIdentifier, qlonglong(pid)},
        {NSApplicationPath, path},
        {TavrinProcessStartTime, qlonglong(startTime)},
    };
}

void FakeWorkspace::setLaunchedApplications(QList<QVariantMap> applications)
{
    QMutexLocker lock(&mutex_);
    applications_ = std::move(applications);
}

void FakeWorkspace::launch(const QVariantMap& application)
{
    {
        QMutexLocker lock(&mutex_);
        applications_ << application;
    }
    center_.postNotificationName(platform::NSWorkspaceDidLaunchApplicationNotification, this, application);
}

void FakeWorkspace::terminate(qint64 pid)
{
    QList<QVariantMap> ended;
    {
        QMutexLocker lock(&mutex_);
        for (auto it = applications_.begin(); it != applications_.end();) {
            if (it->value(NSApplicationProcessIdentifier).toLongLong() == pid) {
                ended << *it;
                it = applications_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const QVariantMap& application : ended)
        center_.postNotificationName(platform::NSWorkspaceDidTerminateApplicationNotification, this, application);
}

QList<QVariantMap> FakeWorkspace::launchedApplications()
{
    QMutexLocker lock(&mutex_);
    ++listCalls_;
    return applications_;
}

bool FakeWorkspace::record(Request request)
{
    QMutexLocker lock(&mutex_);
    requests_ << std::move(request);
    return answer_;
}

platform::WorkspaceIcon FakeWorkspace::iconForFile(const QString& fullPath)
{
    QMutexLocker lock(&mutex_);
    return icons_.value(fullPath, platform::WorkspaceIcon{{}, QStringLiteral("application-x-executable"), {}});
}

platform::ProcessControl::Outcome RecordingProcessControl::forceQuit(qint64 pid, qint64 startTime)
{
    QMutexLocker lock(&mutex_);
    calls_.push_back({pid, startTime});
    return answer_;
}

} // namespace test
