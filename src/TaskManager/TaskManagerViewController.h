#pragma once

#include "ApplicationListUpdates.h"
#include "SSMemoryInfo.h"
#include "TaskManagerInfo.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/dispatch/Lifetime.h"
#include "platform/process/ProcessControl.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/AttributedString.h"
#include "platform/ui/Image.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <QHash>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class BgTableView;
class SSCpuMonitor;
class SSMemoryMonitor;
class TMProgressView;
class TextImageButton;

namespace platform::ui {
class TextField;
}

// The Task Manager tab: the running applications with a checkbox each, a Close button that
// force-quits the marked ones, and the CPU load, memory use and CPU temperature, refreshed
// every 2 seconds. All of it starts when the view loads, shown or not. The list is collected
// and the CPU sampled in the background; every change to the rows and views happens on the
// main thread. The timer, the workspace observations and every pending background result end
// with the controller.
class TaskManagerViewController : public platform::ui::ViewController,
                                  public platform::ui::TableViewDataSource,
                                  public platform::ui::TableViewDelegate {
public:
    static constexpr const char* kInterfaceFile = "TaskManagerViewController";
    static constexpr std::chrono::milliseconds kRefreshInterval{2000};
    static constexpr const char* kNameColumn = "Name";
    static constexpr const char* kCheckBoxColumn = "ChcekBox";

    explicit TaskManagerViewController(QString nibName = QString::fromLatin1(kInterfaceFile));
    ~TaskManagerViewController() override;

    // Rebuilds the rows from the workspace's running applications; every mark is cleared.
    void getAllProcess();
    // A launch or quit: the rows change by it (with the others reported meanwhile); every mark
    // is cleared.
    void applicationsChanged(const platform::Notification& notification);
    // Force-quits the marked rows and drops them from the list.
    void closeButtonAction();
    // Force-quits the process with that decimal identifier while it is still the one that
    // started at `startTime`. Identifiers below 2 and texts that are no identifier are refused
    // without reaching the system.
    platform::ProcessControl::Outcome doCloseWithPID(const QString& pid, qint64 startTime);
    // One CPU and memory refresh.
    void updateSysStat();
    // The timer's action: the refresh, then the temperature.
    void changeCpuAndMemory();
    // A checkbox was clicked: the table's selected row changes its mark.
    void changeCloseButtonState();
    void changeSelectCount(uint32_t count);
    // The text in opaque black.
    static platform::ui::AttributedString getStringColor(const QString& text);
    // The executable path of every process on standard output, and the second word of what
    // `ps -c %mem root` prints.
    static void getPro(); // kept: named by the design, no caller yet
    static QString get_process_usage(int pid); // kept: named by the design, no caller yet

    // Table data source and delegate.
    int numberOfRowsInTableView(platform::ui::TableView& tableView) override;
    QVariant tableView(platform::ui::TableView& tableView, platform::ui::TableColumn* column, int row) override;
    void tableView(platform::ui::TableView& tableView, platform::ui::Cell& cell, platform::ui::TableColumn* column,
                   int row) override;
    bool tableView(platform::ui::TableView& tableView, int row) override;
    using platform::ui::TableViewDataSource::tableView;

    const std::vector<TaskManagerInfo>& allApplications() const { return allApplications_; } // kept: named by the design, no caller yet
    uint32_t cpuCount() const { return cpuCount_; }
    const SSMemoryInfo& memoryInfo() const { return memoryInfo_; }

    // Outlets.
    platform::ui::TextField* memoryLabel() const { return memoryLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* cpuLabel() const { return cpuLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* selectLabel() const { return selectLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* tempLabel() const { return tempLabel_; } // kept: named by the design, no caller yet
    BgTableView* listTableView() const { return listTableView_; } // kept: named by the design, no caller yet
    TMProgressView* mPro() const { return mPro_; } // kept: named by the design, no caller yet
    TMProgressView* cpuPro() const { return cpuPro_; } // kept: named by the design, no caller yet
    TextImageButton* closeBut() const { return closeBut_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    // A running application as the background collects it: the row and its icon's name.
    struct ListedApplication {
        TaskManagerInfo info;
        platform::WorkspaceIcon icon;
    };

    // What a list job found: the whole list when it was asked for, then each change.
    struct ListedChanges {
        std::optional<std::vector<ListedApplication>> wholeList;
        std::vector<std::pair<bool, ListedApplication>> changes;
    };

    void TaskManagerViewControllerView();
    void startListJob();
    void showApplications(ListedChanges listed);
    void updateSysStat(bool withTemperature);
    void showSample(std::optional<double> cpuLoad, bool withTemperature);
    platform::ui::Image iconImage(const platform::WorkspaceIcon& icon, QHash<QString, platform::ui::Image>& used);

    std::vector<TaskManagerInfo> allApplications_;
    // Shared with the sample under way in the background, which may outlast this controller.
    std::shared_ptr<SSCpuMonitor> cpuMonitor_;
    std::unique_ptr<SSMemoryMonitor> memoryMonitor_;
    SSMemoryInfo memoryInfo_;
    uint32_t cpuCount_ = 0;

    platform::ui::TextField* memoryLabel_ = nullptr;
    platform::ui::TextField* cpuLabel_ = nullptr;
    platform::ui::TextField* selectLabel_ = nullptr;
    platform::ui::TextField* tempLabel_ = nullptr;
    BgTableView* listTableView_ = nullptr;
    TMProgressView* mPro_ = nullptr;
    TMProgressView* cpuPro_ = nullptr;
    TextImageButton* closeBut_ = nullptr;
    float cpuBarWidth_ = -1;
    float memoryBarWidth_ = -1;
    platform::ui::Image optionYes_;
    platform::ui::Image optionNo_;

    // Icons of the listed applications, by their names, so that a rebuild reads no file twice.
    QHash<QString, platform::ui::Image> icons_;
    // One list job at a time, so a list never comes back out of order.
    ApplicationListUpdates updates_;

    // These end first when the controller goes (see the destructor).
    platform::Lifetime lifetime_;
    platform::Observation launchObservation_;
    platform::Observation terminateObservation_;
    std::unique_ptr<platform::TimerHandle> timer_;
};
