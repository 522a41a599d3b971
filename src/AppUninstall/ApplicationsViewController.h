#pragma once

#include "AMAppItem.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/dispatch/Lifetime.h"

#include "platform/ui/Image.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <QHash>
#include <QList>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class AMSearchField;
class BgTableView;

namespace platform::ui {
class Button;
}

// The Applications tab: every application of the application folders and of this machine's
// menus, sorted by name, each with its icon and an "Open" link. A click on a row opens its
// application 0.3 seconds later; the search field filters by name once the scan is over.
class ApplicationsViewController : public platform::ui::ViewController,
                                   public platform::ui::TableViewDataSource,
                                   public platform::ui::TableViewDelegate {
public:
    static constexpr std::chrono::milliseconds kOpenDelay{300};

    explicit ApplicationsViewController(QString nibName = QStringLiteral("ApplicationsViewController"));
    ~ApplicationsViewController() override;

    // Actions.
    void openItemsAction(const AMAppItemPtr& item);
    void closeButtonAction();
    void searchBarAction();

    // Table data source and delegate.
    int numberOfRowsInTableView(platform::ui::TableView& tableView) override;
    void tableView(platform::ui::TableView& tableView, platform::ui::Cell& cell, platform::ui::TableColumn* column,
                   int row) override;
    bool tableView(platform::ui::TableView& tableView, int row) override;
    using platform::ui::TableViewDataSource::tableView;

    const QList<AMAppItemPtr>& allApplications() const { return allApplications_; } // kept: named by the design, no caller yet
    const QList<AMAppItemPtr>& oldAllApplications() const { return oldAllApplications_; } // kept: named by the design, no caller yet
    int32_t selectIndex() const { return selectIndex_; } // kept: named by the design, no caller yet
    bool isScanning() const { return scanning_; }

    // Outlets.
    AMSearchField* textField() const { return textField_; }
    platform::ui::Button* closeBut() const { return closeBut_; } // kept: named by the design, no caller yet
    BgTableView* listTableView() const { return listTableView_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void ApplicationsViewControllerView();
    void getApplications();
    // A record found by the scan takes its place by name.
    void addApplication(const AMAppItemPtr& item);
    void endScan();
    void openApp(const AMAppItemPtr& item);
    platform::ui::Image imageOf(const AMAppItem& item);

    QList<AMAppItemPtr> allApplications_;
    QList<AMAppItemPtr> oldAllApplications_;
    int32_t selectIndex_ = -1;
    bool scanning_ = false;
    AMSearchField* textField_ = nullptr;
    platform::ui::Button* closeBut_ = nullptr;
    BgTableView* listTableView_ = nullptr;

    QHash<const AMAppItem*, platform::ui::Image> images_;
    std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<platform::TimerHandle> openTimer_;
    AMAppItemPtr pendingOpen_;
    platform::Lifetime lifetime_;
};
