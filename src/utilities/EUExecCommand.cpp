#include "EUExecCommand.h"

#include "CommandOutput.h"

QString EUExecCommand(const QByteArray& command)
{
    return CommandOutput::runShellLine(QStringLiteral("brenlow.plist"), command);
}
