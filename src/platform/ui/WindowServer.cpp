#include "WindowServer.h"

#include <map>

namespace platform::ui {

namespace {
std::map<int, int>& radii()
{
    static std::map<int, int> values; // main thread, like the windows
    return values;
}
} // namespace

CGSConnectionID CGSDefaultConnectionForThread()
{
    return 1;
}

int CGSSetWindowBackgroundBlurRadius(CGSConnectionID, int windowNumber, int radius)
{
    radii()[windowNumber] = radius;
    return 0;
}

int windowBackgroundBlurRadius(int windowNumber)
{
    auto it = radii().find(windowNumber);
    return it == radii().end() ? 0 : it->second;
}

void forgetWindowBackgroundBlurRadius(int windowNumber)
{
    radii().erase(windowNumber);
}

} // namespace platform::ui
