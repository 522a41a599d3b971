#include "KQTitlebarContainer.h"

#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

using namespace platform::ui;

namespace {

bool ownsDrag(const Window* window)
{
    return window && !window->isMovableByWindowBackground()
        && !(window->styleMask() & WindowStyleMaskFullScreen);
}

} // namespace

void KQTitlebarContainer::mouseDown(const Event& event)
{
    if (!ownsDrag(window())) {
        View::mouseDown(event);
        return;
    }
    lastPointer_ = event.locationOnScreen();
}

void KQTitlebarContainer::mouseDragged(const Event& event)
{
    Window* w = window();
    if (!ownsDrag(w) || !lastPointer_) {
        View::mouseDragged(event);
        return;
    }
    const Point now = event.locationOnScreen();
    const Point origin = w->frame().origin;
    w->setFrameOrigin({origin.x + now.x - lastPointer_->x, origin.y + now.y - lastPointer_->y});
    lastPointer_ = now;
}

void KQTitlebarContainer::mouseUp(const Event& event)
{
    if (!lastPointer_) {
        View::mouseUp(event);
        return;
    }
    lastPointer_.reset();
}
