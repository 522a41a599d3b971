// diskutil: the simulated Mac's disks and this machine's removable devices, as macOS's tool
// lists, mounts, unmounts, ejects, renames and erases them.
#include "Diskutil.h"
#include "ToolSupport.h"

int main(int argc, char** argv)
{
    QStringList arguments = tools::recordInvocation(argc, argv);
    platform::SimulatedMac mac = tools::simulatedMac();
    Diskutil diskutil(mac, tools::bundleResource(QStringLiteral("simulated-mac/Volumes.plist")),
                      RealVolumeSource::fromEnvironment());
    return diskutil.run(std::move(arguments));
}
