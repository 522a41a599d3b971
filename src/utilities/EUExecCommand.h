#pragma once

#include <QByteArray>
#include <QString>

// Runs a shell line with its standard output redirected into "brenlow.plist" in the user's
// temporary folder, waits, and gives that file's path: a null text for no command (a null
// array) or for a line that does not fit the runner's 2048-byte buffer.
QString EUExecCommand(const QByteArray& command);
