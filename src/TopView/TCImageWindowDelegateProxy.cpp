#include "TCImageWindowDelegateProxy.h"

#include "TCImageWindow.h"

using namespace platform::ui;
using platform::Notification;

bool TCImageWindowDelegateProxy::windowShouldClose(Window& sender)
{
    return secondaryDelegate_ ? secondaryDelegate_->windowShouldClose(sender) : true;
}

#define TC_FORWARD(operation)                                                                                         \
    void TCImageWindowDelegateProxy::operation(const Notification& notification)                                   \
    {                                                                                                                 \
        if (secondaryDelegate_)                                                                                       \
            secondaryDelegate_->operation(notification);                                                              \
    }
TC_FORWARD(windowWillClose)
TC_FORWARD(windowDidResize)
TC_FORWARD(windowDidMove)
TC_FORWARD(windowDidBecomeKey)
TC_FORWARD(windowDidResignKey)
TC_FORWARD(windowDidBecomeMain)
TC_FORWARD(windowDidResignMain)
TC_FORWARD(windowDidMiniaturize)
TC_FORWARD(windowDidDeminiaturize)
#undef TC_FORWARD

Rect TCImageWindowDelegateProxy::windowWillPositionSheet(Window& window, const Rect& rect)
{
    const auto* imageWindow = dynamic_cast<const TCImageWindow*>(&window);
    const double titleBarHeight = imageWindow ? imageWindow->titleBarHeight() : 0;
    return Rect(rect.minX(), window.frame().height() - titleBarHeight, rect.width(), rect.height());
}
