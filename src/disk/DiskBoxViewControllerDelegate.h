#pragma once

class DiskBoxViewController;

// The tab hears its boxes: one was clicked, and how an eject ended.
class DiskBoxViewControllerDelegate {
public:
    virtual ~DiskBoxViewControllerDelegate() = default;
    virtual void changeSelectWithVolumeInfo(DiskBoxViewController& box) = 0;
    virtual void ejectButtonActionisS(bool succeeded) = 0;
};
