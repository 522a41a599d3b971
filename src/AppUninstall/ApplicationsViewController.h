#pragma once

#include "platform/ui/ViewController.h"

// The Applications tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls.
class ApplicationsViewController : public platform::ui::ViewController {
public:
    explicit ApplicationsViewController(QString nibName = QStringLiteral("ApplicationsViewController"));
    ~ApplicationsViewController() override;
};
