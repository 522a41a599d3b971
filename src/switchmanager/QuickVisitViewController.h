#pragma once

#include "QuickVisitVCDelegate.h"

#include "platform/ui/ViewController.h"

// The Quick Visit tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls.
class QuickVisitViewController : public platform::ui::ViewController {
public:
    explicit QuickVisitViewController(QString nibName = QStringLiteral("QuickVisitViewController"));
    ~QuickVisitViewController() override;

    // Not owned: the host outlives its tools.
    QuickVisitVCDelegate* delegate() const { return delegate_; }
    void setDelegate(QuickVisitVCDelegate* delegate) { delegate_ = delegate; }

private:
    QuickVisitVCDelegate* delegate_ = nullptr;
};
