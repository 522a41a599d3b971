#pragma once

#include "ASLoginStartItem.h"
#include "LoginItemRows.h"

#include "platform/dispatch/Lifetime.h"
#include "platform/loginitems/LoginItemList.h"

#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <memory>
#include <vector>

class StartUpItemBgTableView;
class TextImageButton;

namespace platform::ui {
class OpenPanel;
}

// The Startup Items tab of the start menu: the user's login items, each with its icon, name and a
// Remove link, an add button that asks for a file, folder or application, and a list that
// follows changes made by other programs. A refresh runs on the global queue; rows change only
// on the main thread.
class StartupItemsViewController : public platform::ui::ViewController,
                                   public platform::ui::TableViewDataSource,
                                   public platform::ui::TableViewDelegate {
public:
    explicit StartupItemsViewController(QString nibName = QStringLiteral("StartupItemsViewController"));
    ~StartupItemsViewController() override;

    // Lists the login items afresh; asked while a refresh runs, once more after it.
    void updateLoginItemsList();

    // Actions.
    void addButtonAction();
    // Removes the login item of the row whose link was clicked.
    void removeItemsAction(const ASLoginStartItemPtr& item);

    // Table data source and delegate.
    int numberOfRowsInTableView(platform::ui::TableView& tableView) override;
    void tableView(platform::ui::TableView& tableView, platform::ui::Cell& cell, platform::ui::TableColumn* column,
                   int row) override;
    bool tableView(platform::ui::TableView& tableView, int row) override;
    using platform::ui::TableViewDataSource::tableView;

    const std::vector<ASLoginStartItemPtr>& allItems() const { return allItems_; } // kept: named by the design, no caller yet
    bool isScan() const { return isScan_; } // kept: named by the design, no caller yet
    // How often a refresh was asked for, dropped ones included.
    int updateCount() const { return updates_; }

    // Outlets.
    TextImageButton* addButton() const { return addButton_; }
    StartUpItemBgTableView* listTableView() const { return listTableView_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void StartupItemsViewControllerView();
    void getAllItmes();
    void showItems(const std::vector<LoginItemRows::Row>& found);
    void panelEnded(long response);

    std::vector<ASLoginStartItemPtr> allItems_;
    bool isScan_ = false;
    bool refreshAgain_ = false;
    TextImageButton* addButton_ = nullptr;
    StartUpItemBgTableView* listTableView_ = nullptr;
    int updates_ = 0;

    std::unique_ptr<platform::ui::OpenPanel> openPanel_;
    std::unique_ptr<platform::LoginItemList::Observation> observation_;
    platform::Lifetime lifetime_;
};

// What the login-items list calls after a change: the key window's first responder resigns, and
// the controller it was given refreshes.
void loginItemsListDidChange(StartupItemsViewController* context);
