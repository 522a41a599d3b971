#pragma once

#include <QString>

class DiskBoxViewController;

// The tab hears its boxes: one was clicked, and how an eject ended.
class DiskBoxViewControllerDelegate {
public:
    virtual ~DiskBoxViewControllerDelegate() = default;
    virtual void changeSelectWithVolumeInfo(DiskBoxViewController& box) = 0;
    // `volumeName`: the name of the volume as it was when the eject was asked for, which a
    // failure names (the selection may have changed since).
    virtual void ejectButtonActionisS(bool succeeded, const QString& volumeName) = 0;
};
