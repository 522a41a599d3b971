#pragma once

#include "AMAppItem.h"
#include "RelatedAppFilesScanner.h"
#include "RelatedFilesCleanDelegate.h"

#include "platform/dispatch/Lifetime.h"

#include "platform/ui/Image.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class AMRelatedFilesViewController;
class AMSearchField;
class BgTableView;
class TextImageButton;

namespace platform::ui {
class Button;
class TextField;
} // namespace platform::ui

// The App Uninstaller tab: the applications that may be removed, each with a check box, its
// icon and name and its size, measured when its row first shows. Uninstall opens the
// related-files window for the ticked applications; afterwards the applications whose bundle
// left the disk leave the list.
class UninstallViewController : public platform::ui::ViewController,
                                public platform::ui::TableViewDataSource,
                                public platform::ui::TableViewDelegate,
                                public RelatedFilesCleanDelegate {
public:
    explicit UninstallViewController(QString nibName = QStringLiteral("UninstallViewController"));
    ~UninstallViewController() override;

    // Actions.
    void clickButtonAction(const AMAppItemPtr& item);
    void selectAllButtonAction();
    void uninstallAppButtonAction();
    void closeButtonAction();
    void searchTextDidChange();
    void refButtonAction(); // kept: named by the design, no caller yet
    void oneAppRemove(); // kept: named by the design, no caller yet

    // RelatedFilesCleanDelegate.
    void completeCleanRelatedFiles() override;

    // Table data source and delegate.
    int numberOfRowsInTableView(platform::ui::TableView& tableView) override;
    void tableView(platform::ui::TableView& tableView, platform::ui::Cell& cell, platform::ui::TableColumn* column,
                   int row) override;
    bool tableView(platform::ui::TableView& tableView, int row) override;
    using platform::ui::TableViewDataSource::tableView;
    void tableViewSelectionDidChange(platform::ui::TableView& tableView) override;

    const QList<AMAppItemPtr>& uninsatllAppArr() const { return uninsatllAppArr_; } // kept: named by the design, no caller yet
    const QList<AMAppItemPtr>& showListArr() const { return showListArr_; } // kept: named by the design, no caller yet
    const QList<AMAppItemPtr>& allApplications() const { return allApplications_; } // kept: named by the design, no caller yet
    bool isScan() const { return isScan_; } // kept: named by the design, no caller yet
    bool isUninsatllOne() const { return isUninsatllOne_; } // kept: named by the design, no caller yet
    int32_t selectRow() const { return selectRow_; } // kept: named by the design, no caller yet
    AMRelatedFilesViewController* amVC() const { return amVC_.get(); } // kept: named by the design, no caller yet

    // Outlets.
    BgTableView* listViewTabel() const { return listViewTabel_; } // kept: named by the design, no caller yet
    TextImageButton* uninstallButton() const { return uninstallButton_; } // kept: named by the design, no caller yet
    platform::ui::Button* selectAllBut() const { return selectAllBut_; } // kept: named by the design, no caller yet
    platform::ui::TextField* selectCountLabel() const { return selectCountLabel_; } // kept: named by the design, no caller yet
    platform::ui::Button* closeBut() const { return closeBut_; } // kept: named by the design, no caller yet
    AMSearchField* textField() const { return textField_; }

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void UninstallViewControllerView();
    using Installed = RelatedAppFilesScanner::InstalledApplication;

    void begimScanFile();
    // What the walk finds, handed to the main thread as a record and its keys.
    std::function<void(const QString& path)> handOver();
    void addApplication(const AMAppItemPtr& item, const Installed& installed);
    void applicationsInPath(const QString& folder);
    void measureSize(const AMAppItemPtr& item);
    void sizeMeasured(const AMAppItemPtr& item, const QString& size);
    void changeSelectAllButtonState();
    bool isTicked(const AMAppItemPtr& item) const { return uninsatllAppArr_.contains(item); }
    platform::ui::Image imageOf(const AMAppItem& item);

    QList<AMAppItemPtr> uninsatllAppArr_;
    QList<AMAppItemPtr> showListArr_;
    QList<AMAppItemPtr> allApplications_;
    // Every application found, system ones included: their files are theirs.
    QList<Installed> installed_;
    QStringList searchPaths_;
    TextImageButton* uninstallButton_ = nullptr;
    platform::ui::Button* selectAllBut_ = nullptr;
    platform::ui::TextField* selectCountLabel_ = nullptr;
    BgTableView* listViewTabel_ = nullptr;
    AMSearchField* textField_ = nullptr;
    platform::ui::Button* closeBut_ = nullptr;
    int32_t selectRow_ = -1;
    bool isScan_ = false;
    bool isUninsatllOne_ = false;
    std::unique_ptr<AMRelatedFilesViewController> amVC_;

    platform::ui::Image optionYes_;
    platform::ui::Image optionNo_;
    QHash<const AMAppItem*, platform::ui::Image> images_;
    std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
    platform::Lifetime lifetime_;
};
