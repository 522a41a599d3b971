#pragma once

#include <QByteArray>
#include <QString>

// The cleanup's shell runner: the line's standard output goes to "brenlow.plist" in the user's
// private temporary folder (removed first). Gives that file's path, or a null text for no
// command (a null array) or for a line that does not fit the 2048-byte buffer, which is not run.
QString CleanExecCommand(const QByteArray& command);
