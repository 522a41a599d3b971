#pragma once

#include "platform/ui/ViewController.h"

// The Switch Manager tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls.
class HightActionViewController : public platform::ui::ViewController {
public:
    explicit HightActionViewController(QString nibName = QStringLiteral("HightActionViewController"));
    ~HightActionViewController() override;
};
