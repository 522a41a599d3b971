#pragma once

#include <QString>

// What the start-menu view tells the shell. Each operation is sent only where the shell has
// one; the defaults do nothing.
class MainViewControllerDelegate {
public:
    virtual ~MainViewControllerDelegate() = default;

    virtual void closeMainWindow() {}
    // The minimise light was used: the window should hide.
    virtual void miniWindowAction() {}
    // The user chose the tool with that identifier.
    virtual void changeSelectTypeWithIdStr(const QString& /*idStr*/) {}
};
