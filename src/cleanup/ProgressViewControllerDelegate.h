#pragma once

// What the removal sheet tells the window that showed it.
class ProgressViewControllerDelegate {
public:
    virtual ~ProgressViewControllerDelegate() = default;
    virtual void stopRemove() {}
};
