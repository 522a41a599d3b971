#include "MyNSApplication.h"

#include "platform/ui/Event.h"

using namespace platform::ui;

MyNSApplication* MyNSApplication::sharedApplication()
{
    Application& application = installSharedApplication([]() -> Application* { return new MyNSApplication; });
    return dynamic_cast<MyNSApplication*>(&application);
}

std::optional<EditingAction> MyNSApplication::editingShortcut(const Event& event)
{
    if (event.type() != EventType::KeyDown)
        return std::nullopt;
    const unsigned flags = event.modifierFlags() & EventModifierFlagDeviceIndependentFlagsMask;
    const unsigned command = EventModifierFlagCommand;
    const unsigned commandShift = EventModifierFlagCommand | EventModifierFlagShift;
    if (flags == command || flags == (command | EventModifierFlagCapsLock)) {
        const QString key = event.charactersIgnoringModifiers().toLower();
        if (key == QLatin1String("x"))
            return EditingAction::Cut;
        if (key == QLatin1String("c"))
            return EditingAction::Copy;
        if (key == QLatin1String("v"))
            return EditingAction::Paste;
        if (key == QLatin1String("z"))
            return EditingAction::Undo;
        if (key == QLatin1String("a"))
            return EditingAction::SelectAll;
    } else if (flags == commandShift || flags == (commandShift | EventModifierFlagCapsLock)) {
        if (event.charactersIgnoringModifiers() == QLatin1String("Z"))
            return EditingAction::Redo;
    }
    return std::nullopt;
}

void MyNSApplication::sendEvent(const Event& event)
{
    if (const std::optional<EditingAction> action = editingShortcut(event); action && sendAction(*action))
        return;
    Application::sendEvent(event);
}
