#pragma once

#include "platform/notifications/NotificationCenter.h"
#include "platform/process/ProcessControl.h"
#include "platform/workspace/Workspace.h"

#include <QHash>

#include <algorithm>
#include <iterator>
#include <vector>

namespace test {

// Running applications set by hand; open, launch, reveal and hide requests are recorded, not done.
// (The tests' dispatcher runs all work on the test's thread, so the fakes need no locks.)
class FakeWorkspace : public platform::Workspace {
public:
    struct Request {
        QString operation;
        QString target;
        QString root; // selectFile's root
        bool operator==(const Request&) const = default;
    };

    static QVariantMap application(const QString& name, qint64 pid, const QString& path, qint64 startTime = 1000)
    {
        return {{platform::NSApplicationName, name},
                {platform::NSApplicationProcessIdentifier, qlonglong(pid)},
                {platform::NSApplicationPath, path},
                {platform::TavrinProcessStartTime, qlonglong(startTime)}};
    }
    void setLaunchedApplications(QList<QVariantMap> applications) { applications_ = std::move(applications); }
    void launch(const QVariantMap& application)
    {
        applications_ << application;
        center_.postNotificationName(platform::NSWorkspaceDidLaunchApplicationNotification, this, application);
    }
    // Ends every application of that process, posting a termination for each.
    void terminate(qint64 pid)
    {
        const auto ofProcess = [pid](const QVariantMap& a) {
            return a.value(platform::NSApplicationProcessIdentifier).toLongLong() == pid;
        };
        QList<QVariantMap> ended;
        std::copy_if(applications_.cbegin(), applications_.cend(), std::back_inserter(ended), ofProcess);
        applications_.removeIf(ofProcess);
        for (const QVariantMap& application : ended)
            center_.postNotificationName(platform::NSWorkspaceDidTerminateApplicationNotification, this, application);
    }
    int launchedApplicationsCalls() const { return listCalls_; }
    QList<Request> requests() const { return requests_; }
    // Any other path gets the generic application icon.
    void setIcon(const QString& path, const platform::WorkspaceIcon& icon) { icons_.insert(path, icon); }

    QList<QVariantMap> launchedApplications() override { ++listCalls_; return applications_; }
    platform::NotificationCenter& notificationCenter() override { return center_; }
    bool openFile(const QString& fullPath) override { return record({QStringLiteral("openFile"), fullPath, {}}); }
    bool openURL(const QUrl& url) override { return record({QStringLiteral("openURL"), url.toString(), {}}); }
    bool launchApplication(const QString& name) override { return record({QStringLiteral("launchApplication"), name, {}}); }
    bool selectFile(const QString& fullPath, const QString& root) override
    {
        return record({QStringLiteral("selectFile"), fullPath, root});
    }
    void hideOtherApplications() override { record({QStringLiteral("hideOtherApplications"), {}, {}}); }
    QList<platform::DesktopApplication> desktopApplications() override { return desktopApplications_; }
    void setDesktopApplications(QList<platform::DesktopApplication> applications)
    {
        desktopApplications_ = std::move(applications);
    }
    platform::WorkspaceIcon iconForFile(const QString& fullPath) override
    {
        return icons_.value(fullPath, platform::WorkspaceIcon{{}, QStringLiteral("application-x-executable"), {}});
    }

private:
    bool record(Request request) { requests_ << std::move(request); return true; }

    QList<QVariantMap> applications_;
    QList<Request> requests_;
    QHash<QString, platform::WorkspaceIcon> icons_;
    QList<platform::DesktopApplication> desktopApplications_;
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
    Outcome forceQuit(qint64 pid, qint64 startTime) override { calls_.push_back({pid, startTime}); return answer_; }
    std::vector<Call> calls() const { return calls_; }
    void answer(Outcome outcome) { answer_ = outcome; }

private:
    std::vector<Call> calls_;
    Outcome answer_ = Outcome::Killed;
};

} // namespace test
