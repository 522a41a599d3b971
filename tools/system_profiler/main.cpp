// system_profiler: the display report of the simulated Mac, as plain text.
#include "ToolSupport.h"

int main(int argc, char** argv)
{
    const QStringList arguments = tools::recordInvocation(argc, argv);
    if (!arguments.contains(QStringLiteral("SPDisplaysDataType")))
        return 0;
    const QString chipset = tools::simulatedMac()
                                .stateValue(QStringLiteral("Mac"), QStringLiteral("ChipsetModel"))
                                .toString();
    tools::printOut(QStringLiteral("Graphics/Displays:\n\n    %1:\n\n      Chipset Model: %1\n      Type: GPU\n")
                        .arg(chipset)
                        .toUtf8());
    return 0;
}
