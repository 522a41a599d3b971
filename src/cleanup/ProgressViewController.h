#pragma once

#include "PopWindow/PopViewController.h"

#include <QString>

#include <cstdint>

class EUProgressView;
class ProgressViewControllerDelegate;
class TextImageButton;

namespace platform::ui {
class TextField;
}

// The modal sheet of a removal: a bar, the percent, the path being removed and a Stop button.
// It closes itself when the job reports 100.
class ProgressViewController : public PopViewController {
public:
    static constexpr const char* kInterfaceFile = "ProgressViewController";

    explicit ProgressViewController(QString nibName = QString::fromLatin1(kInterfaceFile));

    void changeProgressValue(int32_t percent, const QString& path);
    void stopButtonAction();

    ProgressViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(ProgressViewControllerDelegate* delegate) { delegate_ = delegate; }

    EUProgressView* progressView() const { return progressView_; } // kept: named by the design, no caller yet
    platform::ui::TextField* pathLabel() const { return pathLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* titleLabel() const { return titleLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* progressLabel() const { return progressLabel_; } // kept: named by the design, no caller yet
    TextImageButton* stopButton() const { return stopButton_; }

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void ProgressViewControllerView();

    EUProgressView* progressView_ = nullptr;
    platform::ui::TextField* pathLabel_ = nullptr;
    platform::ui::TextField* titleLabel_ = nullptr;
    platform::ui::TextField* progressLabel_ = nullptr;
    TextImageButton* stopButton_ = nullptr;
    ProgressViewControllerDelegate* delegate_ = nullptr;
};
