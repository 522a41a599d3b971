#include "PopWindowController.h"

#include "ShellNotifications.h"

#include "platform/log/SystemLog.h"
#include "platform/notifications/NotificationCenter.h"

using namespace platform::ui;
using platform::NotificationCenter;

PopWindowController::PopWindowController(std::unique_ptr<BaseWindow> window)
    : baseWindow_(window.get())
{
    setWindow(std::move(window));
}

PopWindowController::~PopWindowController()
{
    if (baseWindow_)
        baseWindow_->setBaseWindowDelegate(nullptr);
}

void PopWindowController::windowDidLoad()
{
    window()->setMovableByWindowBackground(true);
    if (baseWindow_)
        baseWindow_->setBaseWindowDelegate(this);
}

void PopWindowController::openMainWindow()
{
    platform::NSLog(QStringLiteral("openMainWindow"));
    NotificationCenter::defaultCenter().postNotificationName(kReOpenWindowNotification, nullptr);
    if (Window* own = window())
        own->close();
}
