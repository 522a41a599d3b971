#pragma once

#include "platform/dispatch/Lifetime.h"

#include "platform/ui/ViewController.h"

#include <mutex>
#include <vector>

// The Disk Manager tab of the start menu. It shows no volumes yet: the tool itself comes later,
// in this class, with the operations its host calls. What it already keeps is the rule for
// building the column of volumes: a build may be asked for from any thread, and two builds
// never run at the same time: a request that comes while one is under way is kept and served
// once that one has ended. Each build makes its first and last step on the main queue and its
// middle step on a background queue.
class DiskManagerViewController : public platform::ui::ViewController {
public:
    explicit DiskManagerViewController(QString nibName = QStringLiteral("DiskManagerViewController"));
    ~DiskManagerViewController() override;

    // What the column shows (its headers and volume boxes); empty until a build has filled it.
    // Any thread.
    std::vector<const platform::ui::Referable*> allVolumeViews() const;
    // Builds the column anew. Any thread; the caller must keep the controller alive for the call.
    void createView();

    // Any thread.
    bool isBuildingView() const;
    int completedBuilds() const;

private:
    void beginBuild();
    void finishBuild();

    mutable std::mutex mutex_;
    bool building_ = false;
    bool buildWanted_ = false;
    int completedBuilds_ = 0;
    std::vector<const platform::ui::Referable*> volumeViews_;
    platform::Lifetime lifetime_; // last: later steps of a build end with the controller
};
