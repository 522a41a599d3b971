#pragma once

#include "FormatVCDelegate.h"

#include "PopViewController.h"

class TextImageButton;

// Nothing makes this dialog: a Cancel and a Continue that hands over to the delegate.
class FormatViewController : public PopViewController {
public:
    explicit FormatViewController(QString nibName = QStringLiteral("FormatViewController"));

    // Not owned.
    void setDelegate(FormatVCDelegate* delegate) { delegate_ = delegate; }

    void cancelButtonAction();
    void continueButtonAction();

    TextImageButton* cancelBut() const { return cancelBut_; }
    TextImageButton* contectBut() const { return contectBut_; }

protected:
    void loadView() override;

private:
    TextImageButton* cancelBut_ = nullptr;
    TextImageButton* contectBut_ = nullptr;
    FormatVCDelegate* delegate_ = nullptr;
};
