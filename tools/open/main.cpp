// open: only the screen saver is known; starting it is recorded in the simulated Mac.
#include "ToolRun.h"
#include "ToolSupport.h"

#include <QDateTime>

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    const QStringList& arguments = run.arguments();
    const int app = int(arguments.indexOf(QStringLiteral("-a")));
    const QString name = app >= 0 ? arguments.value(app + 1) : QString();
    if (name != QLatin1String("ScreenSaverEngine.app") && name != QLatin1String("ScreenSaverEngine")) {
        tools::printError(name.isEmpty() ? QStringLiteral("The file does not exist.")
                                         : QStringLiteral("Unable to find application named '%1'").arg(name));
        return 1;
    }
    platform::SimulatedMac mac = tools::simulatedMac();
    const QString file = QStringLiteral("ScreenSaver");
    if (!mac.readStateFile(file))
        return run.cannotReadState(file);
    mac.setStateValue(file, QStringLiteral("Starts"), mac.stateValue(file, QStringLiteral("Starts")).toInt() + 1);
    mac.setStateValue(file, QStringLiteral("LastStart"), QDateTime::currentDateTimeUtc());
    return 0;
}
