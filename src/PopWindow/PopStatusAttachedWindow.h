#pragma once

#include "AttachedWindow.h"
#include "AttachedWindowInitializers.h"

// The light attached window that hosts every dialog. It tells its delegate (isHiddenWindow)
// when it stops being the key window.
class PopStatusAttachedWindow : public AttachedWindow,
                                public AttachedWindowInitializers<PopStatusAttachedWindow> {
public:
    using AttachedWindowInitializers<PopStatusAttachedWindow>::create;

private:
    friend class AttachedWindowInitializers<PopStatusAttachedWindow>;
    PopStatusAttachedWindow(platform::ui::View& view, platform::ui::Point point, platform::ui::Window* window,
                            int side, float distance);
};
