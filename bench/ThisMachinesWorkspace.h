#pragma once
// The workspace as the program builds it on this machine, for the benchmarks of its looks.

#include "platform/Platform.h"
#include "platform/workspace/ApplicationCatalog.h"
#include "platform/xdg/ApplicationEntry.h"
#include "platform/workspace/LinuxWorkspace.h"

#include <unistd.h>

namespace bench {

inline platform::LinuxWorkspace::Settings thisMachinesWorkspace()
{
    platform::LinuxWorkspace::Settings s;
    s.uid = getuid();
    s.applicationFolders = platform::ApplicationCatalog::defaultFolders();
    s.locale = platform::ApplicationEntry::messagesLocale();
    s.self = {getpid(), 0, QStringLiteral("Tavrin"), QStringLiteral("/opt/Tavrin.app"), {}};
    // The looks run on the queues of the platform each benchmark installs.
    s.dispatcher = platform::Sibling<platform::Dispatcher>([] { return platform::Platform::current().dispatcher.get(); });
    return s;
}

} // namespace bench
