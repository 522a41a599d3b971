#include "SystemLog.h"

#include "StandardErrorLog.h"
#include "platform/Platform.h"

namespace platform {

void NSLog(const QString& message)
{
    // Code that runs without a platform (a reader in a small program) still gets its line out.
    Platform* platform = Platform::currentOrNull();
    if (!platform)
        StandardErrorLog().write(message);
    else if (SystemLog* log = platform->log.get())
        log->write(message);
}

} // namespace platform
