#pragma once

#include "FormatVCDelegate.h"

#include "PopWindow/PopViewController.h"

class TextImageButton;

// Nothing makes this dialog: a Cancel and a Continue that hands over to the delegate.
class FormatViewController : public PopViewController {
public:
    explicit FormatViewController(QString nibName = QStringLiteral("FormatViewController"));

    // Not owned.
    void setDelegate(FormatVCDelegate* delegate) { delegate_ = delegate; }

    void cancelButtonAction();
    void continueButtonAction();

    TextImageButton* cancelBut() const { return cancelBut_; } // kept: named by the design, no caller yet
    TextImageButton* contectBut() const { return contectBut_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;

private:
    TextImageButton* cancelBut_ = nullptr;
    TextImageButton* contectBut_ = nullptr;
    FormatVCDelegate* delegate_ = nullptr;
};
