#include "StatusAttachedWindow.h"

StatusAttachedWindow::StatusAttachedWindow(platform::ui::View& view, platform::ui::Point point,
                                           platform::ui::Window* window, int side, float distance)
    : AttachedWindow(view, point, window, side, distance, Variant::Dark)
{
}
