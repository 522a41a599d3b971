#pragma once

#include "platform/dispatch/Lifetime.h"
#include "platform/ui/ViewController.h"

#include <memory>

class CleanCellBgView;
struct DownloadsFolderCheck;
class DownloadViewController;
class EUHandButton;
class ProgressViewController;

namespace platform {
struct TrashEmptying;
}

// The Cleanup tab: Clean opens the Downloads cleaner on the user's Downloads folder, Empty
// empties the user's Trash and the Trash of every volume, after the Full Disk Access check
// from 10.14 on.
class CleanUpViewController : public platform::ui::ViewController {
public:
    static constexpr const char* kInterfaceFile = "CleanUpViewController";

    explicit CleanUpViewController(QString nibName = QString::fromLatin1(kInterfaceFile));
    ~CleanUpViewController() override;

    // Looks at the Downloads folder in the background, then opens the cleaner on it, or on its
    // empty state when it is no folder to clean; a missing folder shows nothing.
    void cleanDownload();
    // Empties on the global queue behind the removal sheet.
    void emptyTrash();
    bool isEmptying() const { return emptying_; }

    EUHandButton* cleanDownloadBut() const { return cleanDownloadBut_; } // kept: named by the design, no caller yet
    EUHandButton* closeTrashBut() const { return closeTrashBut_; } // kept: named by the design, no caller yet
    DownloadViewController* downloadWC() const { return downloadWC_.get(); } // kept: named by the design, no caller yet
    CleanCellBgView* cleanTrashView() const { return cleanTrashView_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void CleanUpViewControllerView();
    void showDownloads(const DownloadsFolderCheck& found);
    void endEmptying(const platform::TrashEmptying& emptied, int version);

    EUHandButton* cleanDownloadBut_ = nullptr;
    EUHandButton* closeTrashBut_ = nullptr;
    std::unique_ptr<DownloadViewController> downloadWC_;
    CleanCellBgView* cleanTrashView_ = nullptr;
    bool checkingDownloads_ = false;
    bool emptying_ = false;
    std::unique_ptr<ProgressViewController> emptySheet_; // kept until the next emptying
    platform::Lifetime lifetime_;
};
