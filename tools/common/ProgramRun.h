#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tools {

// What a program run gave back.
struct ProgramOutcome {
    bool started = false;
    int exitStatus = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

// The program of that name in an absolute folder of PATH, or empty.
QString findProgram(const QString& name);

// Runs the program from an argument vector (no shell), waits, and keeps both outputs.
ProgramOutcome runProgram(const QString& path, const QStringList& arguments);

} // namespace tools
