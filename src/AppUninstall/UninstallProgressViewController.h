#pragma once

#include "PopViewController.h"

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
    EUProgressView* aProgressView() const { return aProgressView_; }
    platform::ui::View* progressView() const { return progressView_; }
    TextImageButton* okButton() const { return okButton_; }
    platform::ui::TextField* pathLabel() const { return pathLabel_; }
    platform::ui::View* endView() const { return endView_; }
    platform::ui::TextField* messageLabel() const { return messageLabel_; }

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
