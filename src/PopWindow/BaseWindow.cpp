#include "BaseWindow.h"

#include "utilities/PublicUtilities.h"

#include "platform/ui/Screen.h"

using namespace platform::ui;

BaseWindow::BaseWindow(const Rect& contentRect, unsigned styleMask, BackingStoreType backing, bool defer)
    : Window(contentRect, styleMask, backing, defer)
{
    awakeFromNib();
}

void BaseWindow::awakeFromNib()
{
    setStyleMask(WindowStyleMaskResizable);
    setOpaque(false);
    setBackgroundColor(Color::clearColor());
}

Point BaseWindow::dragOrigin(Point pointer, Point initialLocation, double windowHeight, const Rect& screenFrame)
{
    Point origin{pointer.x - initialLocation.x, pointer.y - initialLocation.y};
    if (origin.y + windowHeight > screenFrame.minY() + screenFrame.height())
        origin.y = screenFrame.minY() + screenFrame.height() - windowHeight;
    return origin;
}

void BaseWindow::mouseDown(const Event& event)
{
    isDrag = true;
    oldRect = frame();
    const Point pointer = event.locationOnScreen();
    initialLocation = {pointer.x - oldRect.minX(), pointer.y - oldRect.minY()};
}

void BaseWindow::mouseDragged(const Event& event)
{
    if (!isDrag)
        return;
    const std::optional<Screen> screen = Screen::mainScreen();
    const Point origin =
        dragOrigin(event.locationOnScreen(), initialLocation, frame().height(), screen ? screen->frame() : Rect());
    PublicUtilities::writePopWindowPoint(origin);
    setFrameOrigin(origin);
}

void BaseWindow::mouseUp(const Event&)
{
    const bool unmoved = frame().origin == oldRect.origin;
    isDrag = false;
    if (unmoved && baseWindowDelegate_)
        baseWindowDelegate_->openMainWindow(); // the delegate may let the window go: nothing after this
}
