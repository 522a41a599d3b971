#pragma once

#include "ControllerDelegate.h"
#include "FileNode.h"
#include "ProgressViewControllerDelegate.h"

#include "PopWindow/PopViewController.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/dispatch/Lifetime.h"

#include "platform/ui/Color.h"
#include "platform/ui/Image.h"
#include "platform/ui/OutlineViewDataSource.h"
#include "platform/ui/OutlineViewDelegate.h"

#include <QHash>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

class DowndLoadOutLineView;
struct DownloadsFolderCheck;
class EUProgressView;
class ProgressViewController;
class TextImageButton;

namespace platform::ui {
class Button;
class ButtonCell;
class TextField;
} // namespace platform::ui

// The Downloads cleaner: the scan of one folder as an outline of check box, name, size and a
// reveal button per row, with the scan's progress, Pause/Continue and Stop Scan while it runs,
// a select-all control, and Move to Trash and Completely Erase once it has ended. A removal
// runs behind a modal progress sheet. Made once by the Cleanup tab and shown in a new pop-up
// at every opening.
class DownloadViewController : public PopViewController,
                               public ControllerDelegate,
                               public ProgressViewControllerDelegate,
                               public platform::ui::OutlineViewDataSource,
                               public platform::ui::OutlineViewDelegate {
public:
    static constexpr const char* kInterfaceFile = "DownloadViewController";
    static constexpr std::chrono::milliseconds kReloadInterval{500};
    static constexpr std::chrono::milliseconds kProgressInterval{300};

    explicit DownloadViewController(QString nibName = QString::fromLatin1(kInterfaceFile));
    ~DownloadViewController() override;

    void doScanWithPath(const QString& path);
    // Scans a usable folder; shows any other as no folder to clean, with nothing to tick.
    void scanCheckedFolder(const DownloadsFolderCheck& found);

    // Actions.
    // The close control (closeWindow:): stops everything, empties the list and ends the run.
    void closeWindowAction();
    void reScanButtonAction();
    void pauseButtonAction();
    void stopScanButtonAction();
    void setAllSelectOrNoSelect();
    void moveFileToTarsh();
    void deleteFiles();

    // ControllerDelegate.
    void reloadTreeList() override;
    void changeRemoveProgressWithPoint(int32_t percent, const QString& path) override;
    void changeSelectAllButtonState(int32_t state) override;
    void quickLookWithPath(const QString&) override {}
    void endProScan() override;
    // The job's end: how many items stayed on disk, shown in the title.
    void endRemoveWithFailedCount(int32_t failed) override;
    // ProgressViewControllerDelegate.
    void stopRemove() override;

    // Outline data source and delegate.
    int numberOfChildrenOfItem(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;
    platform::ui::OutlineItem outlineView(platform::ui::OutlineView& outlineView, int index,
                                          platform::ui::OutlineItem item) override;
    bool isItemExpandable(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;
    QVariant outlineView(platform::ui::OutlineView& outlineView, platform::ui::TableColumn* column,
                         platform::ui::OutlineItem item) override;
    void outlineView(platform::ui::OutlineView& outlineView, const QVariant& value, platform::ui::TableColumn* column,
                     platform::ui::OutlineItem item) override;
    void outlineView(platform::ui::OutlineView& outlineView, platform::ui::Cell& cell, platform::ui::TableColumn* column,
                     platform::ui::OutlineItem item) override;
    void outlineViewItemDidExpand(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;
    void outlineViewItemDidCollapse(platform::ui::OutlineView& outlineView, platform::ui::OutlineItem item) override;

    // A folder whose name ends with ".app" or ".framework" shows as one item.
    static bool isExpandableNode(const QByteArray& name, bool hasChildren);
    // A colour for a size: black below 1 MB, green to 1 GB, orange to 1 TB, red beyond.
    static platform::ui::Color getFileColor(uint64_t size); // kept: named by the design, no caller yet
    // The title after a removal: the program's name, or how many items stayed.
    static QString removalEndText(int32_t failed);

    bool isScan() const { return isScan_; } // kept: named by the design, no caller yet
    bool isRemove() const { return isRemove_; } // kept: named by the design, no caller yet
    int32_t selectAllButSt() const { return selectAllButSt_; } // kept: named by the design, no caller yet
    const QString& filePath() const { return filePath_; }
    FileNodeList& rootNodeArr() { return rootNodeArr_; } // kept: named by the design, no caller yet
    ProgressViewController* progressView() const { return progressView_.get(); } // kept: named by the design, no caller yet

    // Outlets.
    platform::ui::TextField* titleLabel() const { return titleLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* progressLable() const { return progressLable_; } // kept: named by the design, no caller yet
    platform::ui::TextField* noFolderLabel() const { return noFolderLabel_; }
    TextImageButton* pauseButton() const { return pauseButton_; } // kept: named by the design, no caller yet
    TextImageButton* stopScanButton() const { return stopScanButton_; } // kept: named by the design, no caller yet
    TextImageButton* moveToTrashButton() const { return moveToTrashButton_; } // kept: named by the design, no caller yet
    TextImageButton* deleteButton() const { return deleteButton_; } // kept: named by the design, no caller yet
    platform::ui::Button* selectAllButton() const { return selectAllButton_; } // kept: named by the design, no caller yet
    EUProgressView* scanProgress() const { return scanProgress_; } // kept: named by the design, no caller yet
    platform::ui::View* scanProgressView() const { return scanProgressView_; } // kept: named by the design, no caller yet
    platform::ui::View* outlineBlowView() const { return outlineBlowView_; } // kept: named by the design, no caller yet
    platform::ui::View* outlineBgView() const { return outlineBgView_; } // kept: named by the design, no caller yet
    DowndLoadOutLineView* outlineView() const { return outlineView_; }

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void DownloadViewControllerView();
    void getRootNodeListWithPath(const QString& path);
    void timerToReloadTreeList();
    void getProgress();
    void endScan();
    void changeOutlineViewScanFrame();
    void changeOutlineViewEndScanFrame();
    void doRemoveAction();
    // Removal is offered over a paused, finished or stopped scan, outside a removal and a rescan.
    bool canRemove() const;
    void updateRemoveButtons();
    void setPauseTitle(const QString& title);
    platform::ui::Image iconImage(const platform::WorkspaceIcon& icon);

    platform::ui::TextField* titleLabel_ = nullptr;
    TextImageButton* pauseButton_ = nullptr;
    TextImageButton* stopScanButton_ = nullptr;
    TextImageButton* moveToTrashButton_ = nullptr;
    TextImageButton* deleteButton_ = nullptr;
    EUProgressView* scanProgress_ = nullptr;
    platform::ui::View* scanProgressView_ = nullptr;
    bool isScan_ = false;
    // A scan that was started and has not ended or been stopped: running or paused.
    bool scanActive_ = false;
    bool isRemove_ = false;
    bool checkingFolder_ = false;
    FileNodeList rootNodeArr_;
    platform::ui::TextField* progressLable_ = nullptr;
    platform::ui::TextField* noFolderLabel_ = nullptr;
    bool isFrist_ = true;
    platform::ui::View* outlineBlowView_ = nullptr;
    platform::ui::View* outlineBgView_ = nullptr;
    platform::ui::View* headerView_ = nullptr;
    int32_t selectAllButSt_ = 0;
    platform::ui::Button* selectAllButton_ = nullptr;
    platform::ui::ButtonCell* selectButton_ = nullptr;
    platform::ui::ButtonCell* openFinder_ = nullptr;
    std::unique_ptr<ProgressViewController> progressView_;
    platform::ui::View* selectPathView_ = nullptr;
    QString filePath_;
    DowndLoadOutLineView* outlineView_ = nullptr;

    platform::ui::Image optionYes_;
    platform::ui::Image optionA_;
    platform::ui::Image optionNo_;

    // Icons of the listed nodes by name, so the reloads read no icon twice.
    QHash<QString, platform::ui::Image> icons_;

    platform::Lifetime lifetime_;
    std::unique_ptr<platform::TimerHandle> sortTimer_;
    std::unique_ptr<platform::TimerHandle> progressTimer_;
};
