// sw_vers: the simulated Mac's product name, version and build.
#include "ToolRun.h"
#include "ToolSupport.h"

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    const platform::SimulatedMac mac = tools::simulatedMac();
    const QString file = QStringLiteral("Mac");
    const std::optional<QVariantMap> state = mac.readStateFile(file);
    if (!state)
        return run.cannotReadState(file);
    const QString text = QStringLiteral("ProductName:\t%1\nProductVersion:\t%2\nBuildVersion:\t%3\n")
                             .arg(state->value(QStringLiteral("ProductName"), QStringLiteral("Mac OS X")).toString(),
                                  mac.productVersion(),
                                  state->value(QStringLiteral("BuildVersion")).toString());
    tools::printOut(text.toUtf8());
    return 0;
}
