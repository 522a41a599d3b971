// nightshift: "50" turns night shift on, "0" off. The strength is kept in the simulated Mac; the
// desktop's night light follows where the session has one.
#include "ToolSupport.h"

#include "platform/Platform.h"
#include "platform/appearance/DesktopAppearance.h"
#include "platform/commands/PosixCommandRunner.h"
#include "platform/log/StandardErrorLog.h"

#include <QFileInfo>

int main(int argc, char** argv)
{
    const QStringList arguments = tools::recordInvocation(argc, argv);
    bool ok = false;
    const int strength = arguments.value(0).toInt(&ok);
    if (arguments.size() != 1 || !ok || strength < 0 || strength > 100) {
        tools::printError(QStringLiteral("usage: nightshift <strength 0-100>"));
        return 1;
    }
    platform::Platform platform;
    platform.log = std::make_unique<platform::StandardErrorLog>();
    const platform::ScopedPlatform scope(platform);
    platform::SimulatedMac mac = tools::simulatedMac();
    mac.setStateValue(QStringLiteral("Display"), QStringLiteral("NightShiftStrength"), strength);
    // This tool lies in Resources/; its siblings' Helpers/ goes first on PATH, as for the program.
    const QString contents = QFileInfo(QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath()).absolutePath();
    platform::PosixCommandRunner runner(contents + QStringLiteral("/Helpers"), mac.homePath());
    platform::makeDesktopAppearance(runner, mac)->setNightLight(strength > 0);
    return 0;
}
