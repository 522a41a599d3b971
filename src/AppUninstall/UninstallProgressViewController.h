#pragma once

#include "PopWindow/PopViewController.h"

#include <QString>

#include <cstdint>

class EUProgressView;
class TextImageButton;
class UninstallProgressDelegate;

namespace platform::ui {
class TextField;
}

// The progress window of an uninstall: a bar and the path being removed, then the result text
// and OK once every record has been reported.
class UninstallProgressViewController : public PopViewController {
public:
    explicit UninstallProgressViewController(QString nibName = QStringLiteral("UninstallProgressViewController"));

    void changeProgressValue(int32_t percent, const QString& path);
    // The result: the space freed and how many records stayed on the disk.
    void changeLabel(const QString& freedSize, int32_t failed = 0);
    void okButtonAction();
    // Closes the hosting window, then tells the delegate.
    void closeWindow() override;

    UninstallProgressDelegate* delegate() const { return delegate_; }
    void setDelegate(UninstallProgressDelegate* delegate) { delegate_ = delegate; }

    // Outlets.
    EUProgressView* aProgressView() const { return aProgressView_; } // kept: named by the design, no caller yet
    platform::ui::View* progressView() const { return progressView_; } // kept: named by the design, no caller yet
    TextImageButton* okButton() const { return okButton_; } // kept: named by the design, no caller yet
    platform::ui::TextField* pathLabel() const { return pathLabel_; } // kept: named by the design, no caller yet
    platform::ui::View* endView() const { return endView_; } // kept: named by the design, no caller yet
    platform::ui::TextField* messageLabel() const { return messageLabel_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void UninstallProgressViewControllerView();

    EUProgressView* aProgressView_ = nullptr;
    platform::ui::View* progressView_ = nullptr;
    TextImageButton* okButton_ = nullptr;
    platform::ui::TextField* pathLabel_ = nullptr;
    platform::ui::View* endView_ = nullptr;
    platform::ui::TextField* messageLabel_ = nullptr;
    UninstallProgressDelegate* delegate_ = nullptr;
};
