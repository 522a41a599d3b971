#include "PopBaseWindow.h"

#include "platform/ui/Application.h"
#include "platform/ui/WindowNotifications.h"

using namespace platform::ui;
using platform::NotificationCenter;
using platform::Notification;

PopBaseWindow::PopBaseWindow(const Rect& contentRect, unsigned /*styleMask*/, BackingStoreType backing, bool defer)
    : Window(contentRect, WindowStyleMaskResizable, backing, defer)
{
    setOpaque(false);
    setBackgroundColor(Color::clearColor());
    setDelegate(this);
    setMovableByWindowBackground(true);
    setStyleMask(WindowStyleMaskResizable);
    setHasShadow(true);
    auto& center = NotificationCenter::defaultCenter();
    deminiaturizeObservation_ = center.addObserver(this, NSWindowDidDeminiaturizeNotification, this,
                                                   [this](const Notification& n) { windowDidDeminiaturize(n); });
    willCloseObservation_ = center.addObserver(this, NSWindowWillCloseNotification, this,
                                               [this](const Notification& n) { windowWillClose(n); });
}

PopBaseWindow::~PopBaseWindow()
{
    setDelegate(nullptr);
}

void PopBaseWindow::becomeMainWindow()
{
    Window::becomeMainWindow();
    NSApp().addWindowsItem(*this, title(), false);
}

void PopBaseWindow::windowDidMove(const Notification&)
{
    setFrameAutosaveName(QStringLiteral("Position"));
}

void PopBaseWindow::windowWillClose(const Notification&)
{
    stopBaseObservations();
    close();
}

void PopBaseWindow::windowDidDeminiaturize(const Notification&)
{
    invalidateShadow();
}

void PopBaseWindow::stopBaseObservations()
{
    deminiaturizeObservation_.reset();
    willCloseObservation_.reset();
}
