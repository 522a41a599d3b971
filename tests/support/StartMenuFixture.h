#pragma once

#include "AboutThisMac/AboutThisMacViewController.h"
#include "AppUninstall/ApplicationsViewController.h"
#include "cleanup/CleanUpViewController.h"
#include "disk/DiskManagerViewController.h"
#include "switchmanager/HightActionViewController.h"
#include "MainView/MainViewController.h"
#include "utilities/ObjcPrintln.h"
#include "switchmanager/QuickVisitViewController.h"
#include "startup/StartupItemsViewController.h"
#include "TaskManager/TaskManagerViewController.h"
#include "AppUninstall/UninstallViewController.h"

#include "Fakes.h"
#include "ManualDispatcher.h"
#include "ProbeFakes.h"
#include "ShellFakes.h"
#include "TestPlatform.h"
#include "WorkspaceFakes.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Menu.h"

#include <gtest/gtest.h>

// The start menu on fakes: a laptop running 10.15.7, recorded scripts and workspace requests,
// queues that run only when drained; the About This Mac report goes nowhere.
class StartMenuFixture : public testing::Test {
protected:
    StartMenuFixture()
    {
        test::install<test::FakeSystemVersion>(platform_->systemVersion);
        kernel_->setText("hw.model", "MacBookPro15,1");
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
    static std::vector<platform::ui::ViewController*> tools(MainViewController& c)
    {
        return {c.applicationVC(), c.taskManagerVC(),  c.cleanupVC(),     c.uninstallVC(),
                c.switchVC(),      c.startupItemsVC(), c.diskManagerVC(), c.quickVisitVC()};
    }

    test::TestPlatform platform_;
    test::FakeWorkspace* workspace_ = test::install<test::FakeWorkspace>(platform_->workspace);
    test::FakeLoginItemList* loginItems_ = test::install<test::FakeLoginItemList>(platform_->loginItems);
    test::FakeUserIdentity* identity_ = test::install<test::FakeUserIdentity>(platform_->identity);
    test::FakeKernelValues* kernel_ = test::install<test::FakeKernelValues>(platform_->kernelValues);
    test::FakeInstanceLock* lock_ = test::install<test::FakeInstanceLock>(platform_->instanceLock);
    test::RecordingScriptRunner* scripts_ = test::install<test::RecordingScriptRunner>(platform_->scripts);

private:
    ReportSink previousSink_ = setReportSink([](ReportStream, const QByteArray&) {});
};

// Does `act` with each menu as its pop-up begins, then cancels it unless `act` chose an item.
class MenuDriver {
public:
    explicit MenuDriver(std::function<void(platform::ui::Menu&)> act)
        : observation_(platform::NotificationCenter::defaultCenter().addObserver(
              this, platform::ui::NSMenuDidBeginTrackingNotification, nullptr, [this, act](const platform::Notification& n) {
                  ++popUps;
                  act(*n.objectAs<platform::ui::Menu>());
                  n.objectAs<platform::ui::Menu>()->cancelTracking();
              }))
    {
    }
    int popUps = 0;

private:
    platform::Observation observation_;
};
