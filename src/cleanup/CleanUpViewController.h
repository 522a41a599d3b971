#pragma once

#include "platform/ui/ViewController.h"

// The Cleanup tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls.
class CleanUpViewController : public platform::ui::ViewController {
public:
    explicit CleanUpViewController(QString nibName = QStringLiteral("CleanUpViewController"));
    ~CleanUpViewController() override;
};
