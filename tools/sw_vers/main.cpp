// sw_vers: the simulated Mac's product name, version and build.
#include "ToolSupport.h"

int main(int argc, char** argv)
{
    tools::recordInvocation(argc, argv);
    const platform::SimulatedMac mac = tools::simulatedMac();
    const QVariantMap state = mac.stateFile(QStringLiteral("Mac"));
    const QString text = QStringLiteral("ProductName:\t%1\nProductVersion:\t%2\nBuildVersion:\t%3\n")
                             .arg(state.value(QStringLiteral("ProductName"), QStringLiteral("Mac OS X")).toString(),
                                  mac.productVersion(),
                                  state.value(QStringLiteral("BuildVersion")).toString());
    tools::printOut(text.toUtf8());
    return 0;
}
