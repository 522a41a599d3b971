#include "SystemLog.h"

#include "platform/Platform.h"

namespace platform {

void NSLog(const QString& message)
{
    if (SystemLog* log = Platform::current().log.get())
        log->write(message);
}

} // namespace platform
