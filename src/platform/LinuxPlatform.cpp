#include "LinuxPlatform.h"

#include "bundle/DirectoryBundle.h"
#include "commands/PosixCommandRunner.h"
#include "dispatch/QtDispatcher.h"
#include "files/PosixFileCatalog.h"
#include "folders/LinuxSearchPaths.h"
#include "log/StandardErrorLog.h"
#include "network/QtHttpClient.h"
#include "plist/LibplistSerialization.h"
#include "simulated/SimulatedMac.h"
#include "version/SimulatedSystemVersion.h"

namespace platform {

std::unique_ptr<Platform> makeLinuxPlatform(const QString& bundlePath)
{
    auto p = std::make_unique<Platform>();
    p->log = std::make_unique<StandardErrorLog>();
    p->dispatcher = std::make_unique<QtDispatcher>();
    p->propertyLists = std::make_unique<LibplistSerialization>();
    p->bundle = std::make_unique<DirectoryBundle>(bundlePath, *p->propertyLists);

    const QString dataFolder = SimulatedMac::defaultDataFolder();
    p->simulatedMac = std::make_unique<SimulatedMac>(dataFolder, SimulatedMac::defaultRoot(dataFolder));
    p->simulatedMac->ensureSeeded(p->bundle->pathForResource(QStringLiteral("simulated-mac"), {}));

    p->searchPaths = std::make_unique<LinuxSearchPaths>(*p->simulatedMac);
    p->systemVersion = std::make_unique<SimulatedSystemVersion>(*p->simulatedMac);
    p->fileCatalog = std::make_unique<PosixFileCatalog>();
    p->commandRunner = std::make_unique<PosixCommandRunner>(p->bundle->helpersPath(),
                                                            p->searchPaths->homeDirectory());
    p->httpClient = std::make_unique<QtHttpClient>();
    return p;
}

} // namespace platform
