#pragma once

#include "SoundViewControllerDelegate.h"

#include "platform/ui/ViewController.h"

// The volume pane of the start menu's volume pop-up. Until the pane itself comes, its view is
// a small label that says so, sized so that the pop-up menu showing it can be seen and closed,
// and loading the volume only counts the requests.
class SoundViewController : public platform::ui::ViewController {
public:
    explicit SoundViewController(QString nibName = QStringLiteral("SoundViewController"));
    ~SoundViewController() override;

    // Not owned: the host outlives its pane.
    SoundViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(SoundViewControllerDelegate* delegate) { delegate_ = delegate; }

    void loadSoundValue() { ++loads_; }
    int loadCount() const { return loads_; }

protected:
    void loadView() override;

private:
    SoundViewControllerDelegate* delegate_ = nullptr;
    int loads_ = 0;
};
