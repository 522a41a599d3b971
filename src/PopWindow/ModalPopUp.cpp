#include "ModalPopUp.h"

#include "PopStatusAttachedWindow.h"
#include "PopViewController.h"

#include "platform/ui/Application.h"

using namespace platform::ui;

Point popUpAnchor()
{
    const Window* main = NSApp().mainWindow();
    const Rect frame = main ? main->frame() : Rect();
    return {frame.minX() + frame.width() / 2 - 3, frame.minY()};
}

void runModalPopUp(PopViewController& controller, const std::function<void()>& prepare)
{
    std::unique_ptr<PopStatusAttachedWindow> window =
        PopStatusAttachedWindow::create(controller.view(), popUpAnchor(), nullptr, AttachedSideBelow, 5.0f);
    if (!window)
        return;
    controller.setSuperDelegate(window.get());
    if (prepare)
        prepare();
    window->center();
    NSApp().runModalForWindow(*window);
}
