#pragma once

#include "platform/ui/ViewController.h"

#include <memory>

class CleanCellBgView;
class DownloadViewController;
class EUHandButton;

// The Cleanup tab: Clean opens the Downloads cleaner on the user's Downloads folder, Empty
// empties the user's Trash and the Trash of every volume, after the Full Disk Access check
// from 10.14 on.
class CleanUpViewController : public platform::ui::ViewController {
public:
    static constexpr const char* kInterfaceFile = "CleanUpViewController";

    explicit CleanUpViewController(QString nibName = QString::fromLatin1(kInterfaceFile));
    ~CleanUpViewController() override;

    void cleanDownload();
    void emptyTrash();

    EUHandButton* cleanDownloadBut() const { return cleanDownloadBut_; }
    EUHandButton* closeTrashBut() const { return closeTrashBut_; }
    DownloadViewController* downloadWC() const { return downloadWC_.get(); }
    CleanCellBgView* cleanTrashView() const { return cleanTrashView_; }

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void CleanUpViewControllerView();

    EUHandButton* cleanDownloadBut_ = nullptr;
    EUHandButton* closeTrashBut_ = nullptr;
    std::unique_ptr<DownloadViewController> downloadWC_;
    CleanCellBgView* cleanTrashView_ = nullptr;
};
