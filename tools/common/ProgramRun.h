#pragma once

#include "platform/commands/Subprocess.h"

#include <QString>
#include <QStringList>

namespace tools {

// What a program run gave back.
using ProgramOutcome = platform::Subprocess::Result;

// The program of that name in an absolute folder of PATH, or empty.
QString findProgram(const QString& name);

// Runs the program from an argument vector (no shell), waits, and keeps both outputs.
ProgramOutcome runProgram(const QString& path, const QStringList& arguments);

} // namespace tools
