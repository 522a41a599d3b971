#pragma once

#include "platform/ui/Application.h"
#include "platform/ui/Responder.h"

#include <optional>

namespace platform::ui {
class Event;
}

// The program's application object. It adds the editing shortcuts that borderless windows lack:
// Command-X, C, V, Z, A and Command-Shift-Z (the Control key plays the Command key's part on
// Linux), also with Caps Lock on. A shortcut that no responder performs goes on as a key press.
class MyNSApplication : public platform::ui::Application {
public:
    // The application object, made of this class on the first call; null when an application
    // object of another class was made before.
    static MyNSApplication* sharedApplication();

    void sendEvent(const platform::ui::Event& event) override;

    // The editing action a key event asks for, if any.
    static std::optional<platform::ui::EditingAction> editingShortcut(const platform::ui::Event& event);

private:
    MyNSApplication() = default;
};
