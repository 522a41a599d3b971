#include "WorkspaceFakes.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(WorkspaceFakesTest, LaunchAndQuitChangeTheListAndNotifyOnlyLiveObservers)
{
    test::FakeWorkspace workspace;
    std::vector<QString> heard;
    auto listen = [&](const QString& name) {
        return workspace.notificationCenter().addObserver(nullptr, name, nullptr,
                                                          [&](const ui::Notification& n) { heard.push_back(n.name); });
    };
    ui::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    {
        ui::Observation gone = listen(NSWorkspaceDidTerminateApplicationNotification);
    }
    workspace.launch(test::FakeWorkspace::application(QStringLiteral("Notes"), 42, QStringLiteral("/n.desktop")));
    workspace.launch(test::FakeWorkspace::application(QStringLiteral("Mail"), 43, QStringLiteral("/m.desktop")));
    workspace.terminate(42);
    EXPECT_EQ(heard, (std::vector<QString>{NSWorkspaceDidLaunchApplicationNotification,
                                           NSWorkspaceDidLaunchApplicationNotification}));
    const QList<QVariantMap> running = workspace.launchedApplications();
    ASSERT_EQ(running.size(), 1);
    EXPECT_EQ(running[0].value(NSApplicationName).toString(), QStringLiteral("Mail"));
}
