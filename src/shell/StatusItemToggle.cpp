#include "StatusItemToggle.h"

#include "platform/ui/Window.h"

StatusItemToggle statusItemToggle(bool isOpenMainWindow, bool onActiveSpace, unsigned occlusionState)
{
    if (!isOpenMainWindow)
        return StatusItemToggle::Rebuild;
    if (onActiveSpace && !(occlusionState & platform::ui::WindowOcclusionStateVisible))
        return StatusItemToggle::Hide;
    return StatusItemToggle::BringToFront;
}
