// nightshift: "50" turns night shift on, "0" off. The strength is kept in the simulated Mac; the
// desktop's night light follows where the session has one.
#include "ToolRun.h"
#include "ToolSupport.h"

#include "platform/appearance/DesktopAppearance.h"
#include "platform/commands/PosixCommandRunner.h"

#include <QFileInfo>

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    const QStringList& arguments = run.arguments();
    bool ok = false;
    const int strength = arguments.value(0).toInt(&ok);
    if (arguments.size() != 1 || !ok || strength < 0 || strength > 100) {
        tools::printError(QStringLiteral("usage: nightshift <strength 0-100>"));
        return 1;
    }
    platform::SimulatedMac mac = tools::simulatedMac();
    const QString file = QStringLiteral("Display");
    if (!mac.readStateFile(file))
        return run.cannotReadState(file);
    mac.setStateValue(file, QStringLiteral("NightShiftStrength"), strength);
    // This tool lies in Resources/; its siblings' Helpers/ goes first on PATH, as for the program.
    const QString contents = QFileInfo(QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath()).absolutePath();
    platform::PosixCommandRunner runner(contents + QStringLiteral("/Helpers"), mac.homePath());
    platform::makeDesktopAppearance(runner, mac)->setNightLight(strength > 0);
    return 0;
}
