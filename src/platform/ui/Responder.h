#pragma once

#include "Event.h"
#include "WeakRef.h"

namespace platform::ui {

// The standard editing actions (cut:, copy:, paste:, undo:, redo:, selectAll:).
enum class EditingAction { Cut, Copy, Paste, Undo, Redo, SelectAll };

// Receives mouse and key events. What a responder does not handle goes on to its next
// responder (a view's superview, the content view's window).
class Responder : public Referable {
public:
    virtual Responder* nextResponder() const { return nullptr; }

    // Key events go to a window's first responder; these say whether a responder takes that
    // part and lets it go.
    virtual bool acceptsFirstResponder() const { return false; }
    virtual bool becomeFirstResponder() { return true; }
    virtual bool resignFirstResponder() { return true; }
    virtual void keyDown(const Event& event);
    // Performs the action when this responder has it; whether it did. The application offers
    // an action to each responder of the chain in turn.
    virtual bool tryToPerform(EditingAction /*action*/) { return false; }

    virtual void mouseDown(const Event& event);
    virtual void mouseDragged(const Event& event);
    virtual void mouseUp(const Event& event);
    virtual void rightMouseDown(const Event& event);
    virtual void mouseMoved(const Event& event);
    virtual void mouseEntered(const Event& event);
    virtual void mouseExited(const Event& event);
    virtual void scrollWheel(const Event& event);
};

} // namespace platform::ui
