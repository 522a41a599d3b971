// killall: restarts of the simulated Mac's own processes are recorded there. No process of
// this machine is ever signalled.
#include "ToolRun.h"
#include "ToolSupport.h"

#include <QDateTime>

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    static const QStringList restartable{QStringLiteral("Finder"), QStringLiteral("Dock"),
                                         QStringLiteral("NotificationCenter"), QStringLiteral("SystemUIServer")};
    const QString file = QStringLiteral("Processes");
    platform::SimulatedMac mac = tools::simulatedMac();
    int status = 0;
    bool named = false;
    for (const QString& name : run.arguments()) {
        if (name.startsWith(QLatin1Char('-')))
            continue;
        named = true;
        if (!restartable.contains(name)) {
            tools::printError(QStringLiteral("No matching processes belonging to you were found"));
            status = 1;
            continue;
        }
        if (!mac.readStateFile(file))
            return run.cannotReadState(file);
        QVariantMap restarts = mac.stateValue(file, QStringLiteral("Restarts")).toMap();
        QVariantMap record = restarts.value(name).toMap();
        record.insert(QStringLiteral("Count"), record.value(QStringLiteral("Count")).toInt() + 1);
        record.insert(QStringLiteral("Last"), QDateTime::currentDateTimeUtc());
        restarts.insert(name, record);
        mac.setStateValue(file, QStringLiteral("Restarts"), restarts);
    }
    if (!named) {
        tools::printError(QStringLiteral("usage: killall [-v] [-SIGNAL] procname ..."));
        return 1;
    }
    return status;
}
