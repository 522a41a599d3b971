#pragma once

#include <QString>

#include <cstdint>

// What the Downloads cleaner window hears from the Controller. Every call comes on the main thread.
class ControllerDelegate {
public:
    virtual ~ControllerDelegate() = default;
    virtual void reloadTreeList() {}
    // Removal progress: the item now being removed, or 100 at the end of every job.
    virtual void changeRemoveProgressWithPoint(int32_t /*percent*/, const QString& /*path*/) {}
    // 0 none, 1 all, 2 partly.
    virtual void changeSelectAllButtonState(int32_t /*state*/) {}
    virtual void quickLookWithPath(const QString& /*path*/) {}
    virtual void endProScan() {}
    // Sent at the end of every removal job, just before its final 100: how many collected items
    // stayed on disk (and stay in the tree).
    virtual void endRemoveWithFailedCount(int32_t /*failed*/) {}
};
