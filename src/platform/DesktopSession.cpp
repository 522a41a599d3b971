#include "DesktopSession.h"

#include <QtGlobal>

namespace platform {

bool hasDesktopSession()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
}

} // namespace platform
