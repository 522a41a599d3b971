#include "SystemLog.h"

#include "Platform.h"

namespace platform {

void NSLog(const QString& message)
{
    if (SystemLog* log = Platform::current().log.get())
        log->write(message);
}

} // namespace platform
