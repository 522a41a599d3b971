#include "WindowServer.h"

#include "Application.h"
#include "Window.h"
#include "internal/X11Desktop.h"

#include <QGuiApplication>

namespace platform::ui {

namespace {
// Main thread, like the windows.
std::optional<WindowBackdrop::Desktop> spokenFor;
std::optional<bool> windowManagerSpokenFor;
} // namespace

CGSConnectionID CGSDefaultConnectionForThread()
{
    return 1;
}

int CGSSetWindowBackgroundBlurRadius(CGSConnectionID, int windowNumber, int radius)
{
    for (Window* window : NSApp().windows()) {
        if (window->windowNumber() == windowNumber) {
            window->setBackgroundBlurRadius(radius);
            return 0;
        }
    }
    return 1;
}

WindowBackdrop::Desktop desktopCompositing()
{
    if (spokenFor)
        return *spokenFor;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return WindowBackdrop::Desktop::BlurBehind;
    const std::optional<X11Desktop> x11 = X11Desktop::current();
    if (!x11)
        return WindowBackdrop::Desktop::Translucent;
    if (!x11->compositing())
        return WindowBackdrop::Desktop::Opaque;
    return x11->offersBlurBehind() ? WindowBackdrop::Desktop::BlurBehind : WindowBackdrop::Desktop::Translucent;
}

void speakForDesktopCompositing(std::optional<WindowBackdrop::Desktop> desktop)
{
    spokenFor = desktop;
}

bool desktopHasWindowManager()
{
    if (windowManagerSpokenFor)
        return *windowManagerSpokenFor;
    const std::optional<X11Desktop> x11 = X11Desktop::current();
    return !x11 || x11->hasWindowManager();
}

void speakForDesktopWindowManager(std::optional<bool> present)
{
    windowManagerSpokenFor = present;
}

} // namespace platform::ui
