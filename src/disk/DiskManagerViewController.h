#pragma once

#include "CVolumeMgr.h"
#include "DiskBoxViewControllerDelegate.h"
#include "VolumeInventory.h"

#include "platform/dispatch/Lifetime.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/notifications/UserNotificationCenter.h"

#include "platform/ui/ViewController.h"

#include <memory>
#include <mutex>
#include <vector>

class DiskBoxViewController;
class ProgressSpinner;
class TextImageButton;
class VolumesInfo;
class VolumesManager;
class WatchMountUnmount;
struct VolumeObj;

namespace platform::ui {
class ScrollView;
class TextField;
class View;
} // namespace platform::ui

// The Disk Manager tab: a column of volume boxes under "Internal" and "External", and Open,
// Mount/Unmount, Format, Rename and Eject for the selected one. The column is rebuilt when a
// volume mounts or unmounts. A build may be asked for from any thread, and two builds never run
// at the same time: a request that comes while one is under way is kept and served once that
// one has ended. Each build makes its first and last step on the main queue and its enumeration
// on a background queue; the boxes shown stay until a new list has arrived, and a list refused
// by the once-a-second rule is asked for again once the second has passed.
class DiskManagerViewController : public platform::ui::ViewController,
                                  public DiskBoxViewControllerDelegate,
                                  public platform::UserNotificationCenterDelegate {
public:
    static constexpr const char* kInterfaceFile = "DiskManagerViewController";

    explicit DiskManagerViewController(QString nibName = QString::fromLatin1(kInterfaceFile));
    ~DiskManagerViewController() override;

    // What the column shows (its headers and volume boxes); empty until a build has filled it.
    // Any thread.
    std::vector<const platform::ui::Referable*> allVolumeViews() const;
    // Builds the column anew. Any thread; the caller must keep the controller alive for the call.
    void createView();

    void changeSelectWithVolumeInfo(DiskBoxViewController& box) override;
    void ejectButtonActionisS(bool succeeded, const QString& volumeName) override;
    void openButAction();
    void mountButAction();
    void formatButAction();
    void renameButAction();
    void ejectButAction();
    static int32_t OSVersion();
    bool shouldPresentNotification(const platform::UserNotification&) override { return true; }

    // Any thread.
    bool isBuildingView() const;
    int completedBuilds() const;

    // The boxes in column order (internal, then external).
    const std::vector<std::shared_ptr<DiskBoxViewController>>& boxes() const { return boxes_; }
    DiskBoxViewController* diskBoxVC() const { return diskBoxVC_.get(); } // kept: named by the design, no caller yet
    bool isMount() const { return isMount_; }
    TextImageButton* openBut() const { return openBut_; } // kept: named by the design, no caller yet
    TextImageButton* mountBut() const { return mountBut_; } // kept: named by the design, no caller yet
    TextImageButton* formatBut() const { return formatBut_; } // kept: named by the design, no caller yet
    TextImageButton* renameBut() const { return renameBut_; } // kept: named by the design, no caller yet
    TextImageButton* ejectBut() const { return ejectBut_; } // kept: named by the design, no caller yet
    ProgressSpinner* loadProgress() const { return loadProgress_; } // kept: named by the design, no caller yet
    platform::ui::View* scrollView() const { return scrollView_; }
    platform::ui::ScrollView* topScrollView() const { return topScrollView_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void DiskManagerViewControllerView();
    void beginBuild();
    // `kept`: the listing was kept from an earlier build, not enumerated now.
    void finishBuild(CVolumeMgr::Outcome outcome, const VolumeInventory::Listing& listing, bool kept);
    void showColumn(const VolumeInventory::Listing& listing, bool kept);
    void clearColumn();
    platform::ui::TextField* addHeader(const QString& title, const platform::ui::Rect& frame);
    void addBox(std::shared_ptr<VolumeObj> record, const VolumeFolder& folder, const platform::ui::Rect& frame);

    std::shared_ptr<VolumesInfo> volumesInfo_; // from the background scan
    std::unique_ptr<WatchMountUnmount> watchMu_;
    std::unique_ptr<VolumesManager> voluManager_;
    platform::ui::View* scrollView_ = nullptr;
    platform::ui::ScrollView* topScrollView_ = nullptr;
    ProgressSpinner* loadProgress_ = nullptr;
    TextImageButton* formatBut_ = nullptr;
    TextImageButton* renameBut_ = nullptr;
    TextImageButton* ejectBut_ = nullptr;
    TextImageButton* openBut_ = nullptr;
    TextImageButton* mountBut_ = nullptr;
    bool isMount_ = false;
    std::shared_ptr<DiskBoxViewController> diskBoxVC_;

    std::vector<platform::ui::TextField*> headers_;
    std::vector<std::shared_ptr<DiskBoxViewController>> boxes_;
    // Every box this tab made that may still live (held by its background work).
    std::vector<std::weak_ptr<DiskBoxViewController>> madeBoxes_;
    platform::Observation mountObservation_;
    platform::Observation unmountObservation_;
    bool trailingBuildAsked_ = false;

    mutable std::mutex mutex_;
    bool building_ = false;
    bool buildWanted_ = false;
    int completedBuilds_ = 0;
    std::vector<const platform::ui::Referable*> volumeViews_;
    platform::Lifetime lifetime_; // last: later steps of a build end with the controller
};
