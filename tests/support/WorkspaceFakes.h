#pragma once

#include "platform/process/ProcessControl.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/workspace/Workspace.h"

#include <QHash>
#include <QMutex>

#include <vector>

namespace test {

// A workspace whose running applications a test sets by hand, and that records every request
// to open, launch, reveal or hide instead of doing it.
class FakeWorkspace : public platform::Workspace {
public:
    struct Request {
        QString operation; // "openFile", "openURL", "launchApplication", "selectFile", "hideOtherApplications"
        QString target;
        QString root;      // selectFile's root
        bool operator==(const Request&) const = default;
    };

    // The dictionary of one running application, as the workspace lists it.
    static QVariantMap application(const QString& name, qint64 pid, const QString& path, qint64 startTime = 1000);

    void setLaunchedApplications(QList<QVariantMap> applications);
    // Adds the application and posts its launch notification.
    void launch(const QVariantMap& application);
    // Removes every application of that process and posts a termination for each.
    void terminate(qint64 pid);
    int launchedApplicationsCalls() const
    {
        QMutexLocker lock(&mutex_);
        return listCalls_;
    }

    QList<QVariantMap> launchedApplications() override;
    platform::NotificationCenter& notificationCenter() override { return center_; }
    bool openFile(const QString& fullPath) override { return record({QStringLiteral("openFile"), fullPath, {}}); }
    bool openURL(const QUrl& url) override { return record({QStringLiteral("openURL"), url.toString(), {}}); }
    bool launchApplication(const QString& name) override { return record({QStringLiteral("launchApplication"), name, {}}); }
    platform::WorkspaceIcon iconForFile(const QString& fullPath) override;
    bool selectFile(const QString& fullPath, const QString& root) override
    {
        return record({QStringLiteral("selectFile"), fullPath, root});
    }
    void hideOtherApplications() override { record({QStringLiteral("hideOtherApplications"), {}, {}}); }
    QList<platform::DesktopApplication> desktopApplications() override
    {
        QMutexLocker lock(&mutex_);
        return desktopApplications_;
    }
    void setDesktopApplications(QList<platform::DesktopApplication> applications)
    {
        QMutexLocker lock(&mutex_);
        desktopApplications_ = std::move(applications);
    }

    QList<Request> requests() const
    {
        QMutexLocker lock(&mutex_);
        return requests_;
    }
    // What open, launch and reveal requests answer.
    void answer(bool succeed)
    {
        QMutexLocker lock(&mutex_);
        answer_ = succeed;
    }
    // The icon for one path; any other path gets the generic application icon.
    void setIcon(const QString& path, const platform::WorkspaceIcon& icon)
    {
        QMutexLocker lock(&mutex_);
        icons_.insert(path, icon);
    }

private:
    bool record(Request request);

    mutable QMutex mutex_;
    QList<QVariantMap> applications_;
    QList<Request> requests_;
    QHash<QString, platform::WorkspaceIcon> icons_;
    QList<platform::DesktopApplication> desktopApplications_;
    bool answer_ = true;
    int listCalls_ = 0;
    platform::NotificationCenter center_;
};

// Records every force quit and answers what the test says, signalling nothing.
class RecordingProcessControl : public platform::ProcessControl {
public:
    struct Call {
        qint64 pid = 0;
        qint64 startTime = 0;
        bool operator==(const Call&) const = default;
    };

    Outcome forceQuit(qint64 pid, qint64 startTime) override;
    std::vector<Call> calls() const
    {
        QMutexLocker lock(&mutex_);
        return calls_;
    }
    void answer(Outcome outcome)
    {
        QMutexLocker lock(&mutex_);
        answer_ = outcome;
    }

private:
    mutable QMutex mutex_;
    std::vector<Call> calls_;
    Outcome answer_ = Outcome::Killed;
};

} // namespace test
