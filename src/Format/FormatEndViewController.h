#pragma once

#include "PopWindow/PopViewController.h"

class TextImageButton;

namespace platform::ui {
class TextField;
}

// The dialog after an erase: what happened, and OK.
class FormatEndViewController : public PopViewController {
public:
    explicit FormatEndViewController(QString nibName = QStringLiteral("FormatEndViewController"));

    // The outcome to show: success, or the failure's text.
    void setOutcome(bool succeeded, const QString& detail);

    TextImageButton* closeButton() const { return closeButton_; }
    platform::ui::TextField* messageLabel() const { return messageLabel_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;

private:
    void FormatEndViewControllerView();

    TextImageButton* closeButton_ = nullptr;
    platform::ui::TextField* titleLabel_ = nullptr;
    platform::ui::TextField* messageLabel_ = nullptr;
};
