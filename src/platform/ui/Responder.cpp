#include "Responder.h"

namespace platform::ui {

void Responder::keyDown(const Event& event)
{
    if (Responder* next = nextResponder())
        next->keyDown(event);
}

void Responder::mouseDown(const Event& event)
{
    if (Responder* next = nextResponder())
        next->mouseDown(event);
}

void Responder::mouseDragged(const Event& event)
{
    if (Responder* next = nextResponder())
        next->mouseDragged(event);
}

void Responder::mouseUp(const Event& event)
{
    if (Responder* next = nextResponder())
        next->mouseUp(event);
}

void Responder::rightMouseDown(const Event& event)
{
    if (Responder* next = nextResponder())
        next->rightMouseDown(event);
}

void Responder::mouseMoved(const Event& event)
{
    if (Responder* next = nextResponder())
        next->mouseMoved(event);
}

void Responder::mouseEntered(const Event& event)
{
    if (Responder* next = nextResponder())
        next->mouseEntered(event);
}

void Responder::mouseExited(const Event& event)
{
    if (Responder* next = nextResponder())
        next->mouseExited(event);
}

void Responder::scrollWheel(const Event& event)
{
    if (Responder* next = nextResponder())
        next->scrollWheel(event);
}

} // namespace platform::ui
