#include "MainBaseWindow.h"

#include "MainBaseWindowBackground.h"

#include "platform/ui/Application.h"
#include "platform/ui/WindowNotifications.h"

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;

MainBaseWindow::MainBaseWindow(const Rect& contentRect, unsigned /*styleMask*/, BackingStoreType backing, bool defer)
    : Window(contentRect, WindowStyleMaskResizable, backing, defer)
{
    setOpaque(false);
    setBackgroundColor(Color::clearColor());
    setMovableByWindowBackground(true);
    setStyleMask(WindowStyleMaskResizable);
    setBackgroundColor(Color::colorWithPatternImage(mainBaseWindowBackground(frame().size)));
    auto& center = NotificationCenter::defaultCenter();
    deminiaturizeObservation_ = center.addObserver(this, NSWindowDidDeminiaturizeNotification, this,
                                                   [this](const Notification& n) { windowDidDeminiaturize(n); });
    willCloseObservation_ = center.addObserver(this, NSWindowWillCloseNotification, this,
                                               [this](const Notification& n) { windowWillClose(n); });
}

void MainBaseWindow::becomeMainWindow()
{
    Window::becomeMainWindow();
    NSApp().addWindowsItem(*this, title(), false);
}

void MainBaseWindow::windowWillClose(const Notification&)
{
    deminiaturizeObservation_.reset();
    willCloseObservation_.reset();
    close();
}

void MainBaseWindow::windowDidDeminiaturize(const Notification&)
{
    invalidateShadow();
}
