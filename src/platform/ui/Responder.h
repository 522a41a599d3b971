#pragma once

#include "Event.h"
#include "WeakRef.h"

namespace platform::ui {

// Receives mouse events. What a responder does not handle goes on to its next responder
// (a view's superview, the content view's window).
class Responder : public Referable {
public:
    virtual Responder* nextResponder() const { return nullptr; }

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
