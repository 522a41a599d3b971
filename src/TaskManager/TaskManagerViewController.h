#pragma once

#include "platform/ui/ViewController.h"

// The Task Manager tab of the start menu. It shows nothing yet: the tool itself comes later,
// in this class, with the operations its host calls.
class TaskManagerViewController : public platform::ui::ViewController {
public:
    explicit TaskManagerViewController(QString nibName = QStringLiteral("TaskManagerViewController"))
        : ViewController(std::move(nibName))
    {
    }
};
