#include "DiskManagerViewController.h"

#include <utility>

DiskManagerViewController::DiskManagerViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

DiskManagerViewController::~DiskManagerViewController() = default;

std::vector<const platform::ui::Referable*> DiskManagerViewController::allVolumeViews() const
{
    std::lock_guard lock(mutex_);
    return volumeViews_;
}

bool DiskManagerViewController::isBuildingView() const
{
    std::lock_guard lock(mutex_);
    return building_;
}

int DiskManagerViewController::completedBuilds() const
{
    std::lock_guard lock(mutex_);
    return completedBuilds_;
}

void DiskManagerViewController::createView()
{
    {
        std::lock_guard lock(mutex_);
        if (building_) {
            buildWanted_ = true;
            return;
        }
        building_ = true;
    }
    platform::dispatchAsyncMain(lifetime_.guard([this] { beginBuild(); }));
}

void DiskManagerViewController::beginBuild()
{
    {
        std::lock_guard lock(mutex_);
        volumeViews_.clear();
    }
    // The background step works only on what it captures: the controller may be gone by then.
    auto finish = lifetime_.guard([this] { finishBuild(); });
    platform::dispatchAsyncGlobal([finish = std::move(finish)]() mutable {
        platform::dispatchAsyncMain(std::move(finish));
    });
}

void DiskManagerViewController::finishBuild()
{
    bool again = false;
    {
        std::lock_guard lock(mutex_);
        ++completedBuilds_;
        building_ = false;
        again = std::exchange(buildWanted_, false);
    }
    if (again)
        createView();
}
