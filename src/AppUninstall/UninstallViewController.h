#pragma once

#include "platform/ui/ViewController.h"

// The App Uninstaller tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls.
class UninstallViewController : public platform::ui::ViewController {
public:
    explicit UninstallViewController(QString nibName = QStringLiteral("UninstallViewController"));
    ~UninstallViewController() override;
};
