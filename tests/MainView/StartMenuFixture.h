#pragma once

#include "AboutThisMacViewController.h"
#include "ObjcPrintln.h"

#include "Fakes.h"
#include "ManualDispatcher.h"
#include "ProbeFakes.h"
#include "ShellFakes.h"
#include "TestPlatform.h"
#include "WorkspaceFakes.h"

#include "platform/ui/Menu.h"
#include "platform/notifications/NotificationCenter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A platform for the start menu: fakes for the workspace, the login items, the user, the kernel
// (a laptop, unless a test says otherwise), the OS version (10.15.7) and the single-instance
// lock; scripts are recorded, queues run only when drained. The About This Mac report is
// dropped.
class StartMenuFixture : public testing::Test {
protected:
    StartMenuFixture()
    {
        workspace_ = test::install<test::FakeWorkspace>(platform_->workspace);
        loginItems_ = test::install<test::FakeLoginItemList>(platform_->loginItems);
        identity_ = test::install<test::FakeUserIdentity>(platform_->identity);
        kernel_ = test::install<test::FakeKernelValues>(platform_->kernelValues);
        lock_ = test::install<test::FakeInstanceLock>(platform_->instanceLock);
        scripts_ = test::install<test::RecordingScriptRunner>(platform_->scripts);
        test::install<test::FakeSystemVersion>(platform_->systemVersion);
        kernel_->setText("hw.model", "MacBookPro15,1");
        previousSink_ = setReportSink([](ReportStream, const QByteArray&) {});
        AboutThisMacViewController::discardSharedInstance();
    }
    ~StartMenuFixture() override
    {
        AboutThisMacViewController::discardSharedInstance();
        setReportSink(std::move(previousSink_));
    }

    QStringList scriptSources() const
    {
        QStringList sources;
        for (const auto& request : scripts_->requests())
            sources << request.text;
        return sources;
    }

    test::TestPlatform platform_;
    test::FakeWorkspace* workspace_ = nullptr;
    test::FakeLoginItemList* loginItems_ = nullptr;
    test::FakeUserIdentity* identity_ = nullptr;
    test::FakeKernelValues* kernel_ = nullptr;
    test::FakeInstanceLock* lock_ = nullptr;
    test::RecordingScriptRunner* scripts_ = nullptr;

private:
    ReportSink previousSink_;
};

// Does `act` with each menu as its pop-up begins, before anything is shown (and cancels it
// unless `act` chose an item).
class MenuDriver {
public:
    explicit MenuDriver(std::function<void(platform::ui::Menu&)> act)
    {
        observation_ = platform::NotificationCenter::defaultCenter().addObserver(
            this, platform::ui::NSMenuDidBeginTrackingNotification, nullptr,
            [this, act](const platform::Notification& n) {
                auto& menu = *n.objectAs<platform::ui::Menu>();
                ++popUps;
                act(menu);
                menu.cancelTracking();
            });
    }
    int popUps = 0;

private:
    platform::Observation observation_;
};
