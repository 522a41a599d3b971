#include "CleanExecCommand.h"

#include "CommandOutput.h"

QString CleanExecCommand(const QByteArray& command)
{
    return CommandOutput::runShellLine(QStringLiteral("brenlow.plist"), command);
}
