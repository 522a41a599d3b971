#pragma once

#include "PopWindow/PopViewController.h"

class TextImageButton;

// The prompt shown when emptying the Trash needs Full Disk Access: it explains what to grant
// and opens the privacy settings' list; the user presses Empty again afterwards.
class FullDiskAccessViewController : public PopViewController {
public:
    static constexpr const char* kInterfaceFile = "FullDiskAccessViewController";

    explicit FullDiskAccessViewController(QString nibName = QString::fromLatin1(kInterfaceFile));

    // Opens the settings and leaves the prompt open.
    void openSetView();

    TextImageButton* openButton() const { return openButton_; }
    TextImageButton* closeButton() const { return closeButton_; }

protected:
    void loadView() override;

private:
    void FullDiskAccessViewControllerView();

    TextImageButton* openButton_ = nullptr;
    TextImageButton* closeButton_ = nullptr;
};
