#include "CleanExecCommand.h"

#include "utilities/CommandOutput.h"

QString CleanExecCommand(const QByteArray& command)
{
    return CommandOutput::runShellLine(QStringLiteral("brenlow.plist"), command);
}
