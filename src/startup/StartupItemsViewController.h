#pragma once

#include "platform/ui/ViewController.h"

// The Startup Items tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls; until then a rebuild of the list is only
// counted.
class StartupItemsViewController : public platform::ui::ViewController {
public:
    explicit StartupItemsViewController(QString nibName = QStringLiteral("StartupItemsViewController"));
    ~StartupItemsViewController() override;

    // Rebuilds the list of login items (asked each time the tab is chosen).
    void updateLoginItemsList() { ++updates_; }
    int updateCount() const { return updates_; }

private:
    int updates_ = 0;
};
