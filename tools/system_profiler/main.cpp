// system_profiler: the display report of the simulated Mac, as plain text.
#include "ToolRun.h"
#include "ToolSupport.h"

int main(int argc, char** argv)
{
    tools::ToolRun run(argc, argv);
    if (!run.arguments().contains(QStringLiteral("SPDisplaysDataType")))
        return 0;
    const QString file = QStringLiteral("Mac");
    const std::optional<QVariantMap> state = tools::simulatedMac().readStateFile(file);
    if (!state)
        return run.cannotReadState(file);
    const QString chipset = state->value(QStringLiteral("ChipsetModel")).toString();
    tools::printOut(QStringLiteral("Graphics/Displays:\n\n    %1:\n\n      Chipset Model: %1\n      Type: GPU\n")
                        .arg(chipset)
                        .toUtf8());
    return 0;
}
