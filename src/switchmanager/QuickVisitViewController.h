#pragma once

#include "QuickVisitVCDelegate.h"

#include "platform/ui/ViewController.h"

#include <QString>

class CustemButtonView;

// The Quick Visit tab: a column of eight tiles. Seven open system applications, folders and
// preference panes (the first of two places that exists, by OS version); Back to Desktop hides
// the other applications and tells the start-menu view through the delegate.
class QuickVisitViewController : public platform::ui::ViewController {
public:
    explicit QuickVisitViewController(QString nibName = QStringLiteral("QuickVisitViewController"));
    ~QuickVisitViewController() override;

    // Not owned: the host outlives its tools.
    QuickVisitVCDelegate* delegate() const { return delegate_; }
    void setDelegate(QuickVisitVCDelegate* delegate) { delegate_ = delegate; }

    // The tiles, owned by the tab's view.
    CustemButtonView* backToDesktopBut() const { return backToDesktopBut_; } // kept: named by the design, no caller yet
    CustemButtonView* energySetBut() const { return energySetBut_; } // kept: named by the design, no caller yet
    CustemButtonView* terminalBut() const { return terminalBut_; } // kept: named by the design, no caller yet
    CustemButtonView* launchpadBut() const { return launchpadBut_; } // kept: named by the design, no caller yet
    CustemButtonView* applicationsBut() const { return applicationsBut_; } // kept: named by the design, no caller yet
    CustemButtonView* myDocBut() const { return myDocBut_; } // kept: named by the design, no caller yet
    CustemButtonView* systemBut() const { return systemBut_; } // kept: named by the design, no caller yet
    CustemButtonView* diskUtiBut() const { return diskUtiBut_; } // kept: named by the design, no caller yet

    void doBackToDesktop();
    void doOpenEnergySet();
    void doOpenTerminal();
    void doOpenLaunchpad();
    void doOpenApplications();
    void doOpenMyDocuments();
    void doOpenSystemPrerence();
    void doOpenDiskUtiliy();
    // Opens the path as a file address through the workspace; the result is not read.
    void doOpenWithString(const QString& path);
    // Nothing shows these two.
    void doOpenAbout(); // kept: named by the design, no caller yet
    void doOpenDesktop(); // kept: named by the design, no caller yet

    // The first path when it exists on the Mac, else the second.
    static QString firstExisting(const QString& first, const QString& second);

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void QuickVisitViewControllerView();

    QuickVisitVCDelegate* delegate_ = nullptr;
    CustemButtonView* backToDesktopBut_ = nullptr;
    CustemButtonView* energySetBut_ = nullptr;
    CustemButtonView* terminalBut_ = nullptr;
    CustemButtonView* launchpadBut_ = nullptr;
    CustemButtonView* applicationsBut_ = nullptr;
    CustemButtonView* myDocBut_ = nullptr;
    CustemButtonView* systemBut_ = nullptr;
    CustemButtonView* diskUtiBut_ = nullptr;
};
