#pragma once

#include "platform/ui/ViewController.h"

// The brightness pane of the start menu's brightness pop-up. Until the pane itself comes, its
// view is a small label that says so, sized so that the pop-up menu showing it can be seen and
// closed, and loading the brightness only counts the requests.
class LightViewController : public platform::ui::ViewController {
public:
    explicit LightViewController(QString nibName = QStringLiteral("LightViewController"));
    ~LightViewController() override;

    // Reads the brightness (the name is the pane's own).
    void loadSoundValue() { ++loads_; }
    int loadCount() const { return loads_; }

protected:
    void loadView() override;

private:
    int loads_ = 0;
};
