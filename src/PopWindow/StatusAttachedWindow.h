#pragma once

#include "AttachedWindow.h"
#include "AttachedWindowInitializers.h"

// The dark attached window of the start menu. It tells its delegate (isHiddenWindow) when it
// is about to close.
class StatusAttachedWindow : public AttachedWindow, public AttachedWindowInitializers<StatusAttachedWindow> {
public:
    using AttachedWindowInitializers<StatusAttachedWindow>::create;

private:
    friend class AttachedWindowInitializers<StatusAttachedWindow>;
    StatusAttachedWindow(platform::ui::View& view, platform::ui::Point point, platform::ui::Window* window, int side,
                         float distance);
};
