#pragma once

#include "AMAppItem.h"
#include "AsMDeleteExecutorDelegate.h"
#include "RemovalTally.h"
#include "UninstallProgressDelegate.h"

#include "PopWindow/PopViewController.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/dispatch/Lifetime.h"

#include "platform/ui/Image.h"
#include "platform/ui/OutlineViewDataSource.h"
#include "platform/ui/OutlineViewDelegate.h"

#include <QHash>
#include <QList>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class AsMDeleteExecutor;
class RelatedFilesCleanDelegate;
class RelatedFilesOutlineView;
class TextImageButton;
class UninstallProgressViewController;

// The related-files window: one group per application to uninstall, the application and what
// it left in the Library, each with a check box (all ticked at first) and a size. Uninstall
// closes it, removes the ticked records half a second later and shows the progress window.
class AMRelatedFilesViewController : public PopViewController,
                                     public AsMDeleteExecutorDelegate,
                                     public UninstallProgressDelegate,
                                     public platform::ui::OutlineViewDataSource,
                                     public platform::ui::OutlineViewDelegate {
public:
    static constexpr std::chrono::milliseconds kRemoveDelay{500};

    explicit AMRelatedFilesViewController(QString nibName = QStringLiteral("AMRelatedFilesViewController"));
    ~AMRelatedFilesViewController() override;

    // Actions.
    void selectRemoveLanguage(platform::ui::OutlineItem item);
    void openOrClose(int row);
    void clickedDeleteBtn();
    void clickedCancelBtn() { closeWindow(); }

    // Steps.
    void doRemove();
    void showProgress();
    // Disables Uninstall.
    void sohwSystemNode(); // kept: named by the design, no caller yet

    // AsMDeleteExecutorDelegate: reports come from the deleter's thread.
    void deleteRelatedFile(const AMAppItemPtr& item) override;
    void deleteRelatedFileFail(const AMAppItemPtr& item) override;
    // UninstallProgressDelegate.
    void uninstallEnd() override;

    // Outline data source and delegate.
    int numberOfChildrenOfItem(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;
    platform::ui::OutlineItem outlineView(platform::ui::OutlineView& outlineView, int index,
                                          platform::ui::OutlineItem item) override;
    bool isItemExpandable(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;
    QVariant outlineView(platform::ui::OutlineView& outlineView, platform::ui::TableColumn* column,
                         platform::ui::OutlineItem item) override;
    void outlineView(platform::ui::OutlineView& outlineView, platform::ui::Cell& cell, platform::ui::TableColumn* column,
                     platform::ui::OutlineItem item) override;
    bool shouldSelectItem(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;
    // Column selection (shouldSelectTableColumn): refused; remembers the selected row's item.
    bool outlineView(platform::ui::OutlineView& outlineView, platform::ui::TableColumn* column);
    using platform::ui::OutlineViewDataSource::outlineView;

    RelatedFilesCleanDelegate* delegate() const { return delegate_; }
    void setDelegate(RelatedFilesCleanDelegate* delegate) { delegate_ = delegate; }
    const std::vector<AMAppItemGroup>& allRelaltedFiles() const { return allRelaltedFiles_; } // kept: named by the design, no caller yet
    void setAllRelaltedFiles(QList<AMAppItemGroup> groups);
    const QList<AMAppItemPtr>& selectDeletePath() const { return selectDeletePath_; } // kept: named by the design, no caller yet
    UninstallProgressViewController* uninstallPVC() const { return uninstallPVC_.get(); } // kept: named by the design, no caller yet
    // Set when a record of the run stayed on the disk.
    bool isFail() const { return isFail_; } // kept: named by the design, no caller yet
    // The item whose check box was clicked last.
    platform::ui::OutlineItem selectCell() const { return selectCell_; } // kept: named by the design, no caller yet

    // Outlets.
    TextImageButton* cancelButton() const { return cancelButton_; } // kept: named by the design, no caller yet
    TextImageButton* uninstallButton() const { return uninstallButton_; } // kept: named by the design, no caller yet
    RelatedFilesOutlineView* outlineView() const { return outlineView_; }

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void AMRelatedFilesViewControllerView();
    void reported(const AMAppItemPtr& item, bool removed);
    const AMAppItemGroup* groupOf(platform::ui::OutlineItem item) const;
    AMAppItemPtr recordOf(platform::ui::OutlineItem item) const;
    bool isTicked(const AMAppItem* item) const;
    qsizetype tickedCount(const AMAppItemGroup& group) const;
    platform::ui::Image imageOf(const AMAppItem& item);

    QList<AMAppItemPtr> selectedRelatedFiles_;
    QList<AMAppItemPtr> selectDeletePath_;
    TextImageButton* cancelButton_ = nullptr;
    TextImageButton* uninstallButton_ = nullptr;
    bool isFail_ = false;
    std::unique_ptr<AsMDeleteExecutor> deleteExecutor_;
    RemovalTally tally_;
    std::unique_ptr<UninstallProgressViewController> uninstallPVC_;
    platform::ui::OutlineItem selectCell_ = nullptr;
    RelatedFilesCleanDelegate* delegate_ = nullptr;
    RelatedFilesOutlineView* outlineView_ = nullptr;
    std::vector<AMAppItemGroup> allRelaltedFiles_;

    QHash<const AMAppItem*, platform::ui::Image> images_;
    std::unique_ptr<platform::TimerHandle> removeTimer_;
    // Made on the main thread before the deleter starts; the deleter's reports go through it.
    std::function<void(const AMAppItemPtr&, bool)> report_;
    platform::Lifetime lifetime_;
};
