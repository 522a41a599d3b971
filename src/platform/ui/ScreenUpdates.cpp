#include "ScreenUpdates.h"

namespace platform::ui {

namespace {
int disabled = 0; // main thread
}

void NSDisableScreenUpdates()
{
    ++disabled;
}

void NSEnableScreenUpdates()
{
    if (disabled > 0)
        --disabled;
}

} // namespace platform::ui
