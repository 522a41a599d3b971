// diskutil: the simulated Mac's disks and this machine's removable devices, as macOS's tool
// lists, mounts, unmounts, ejects, renames and erases them.
#include "Diskutil.h"
#include "ToolRun.h"
#include "ToolSupport.h"

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    // A name is given to the volume as it is written: bytes that are no UTF-8 text are refused.
    if (!Diskutil::argumentsAreText(argc, argv)) {
        tools::printError(QStringLiteral("diskutil: an argument is not valid UTF-8 text; nothing was done"));
        return 1;
    }
    platform::SimulatedMac mac = tools::simulatedMac();
    // A state file that is there but does not read is never seeded or numbered over.
    for (const QString& file : Diskutil::stateFiles())
        if (!mac.readStateFile(file))
            return run.cannotReadState(file);
    Diskutil diskutil(mac, tools::bundleResource(QStringLiteral("simulated-mac/Volumes.plist")),
                      RealVolumeSource::fromEnvironment());
    return diskutil.run(run.arguments());
}
