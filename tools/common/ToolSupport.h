#pragma once

#include "platform/simulated/SimulatedMac.h"

#include <QStringList>

namespace tools {

// The tool's arguments (without its name) as text. When TAVRIN_TOOL_LOG names a file, the call
// is appended to it as one JSON array (tool name, then arguments), so tests can see exactly
// what ran.
QStringList recordInvocation(int argc, char** argv);

// The simulated Mac of the running program, found the same way the program finds it.
platform::SimulatedMac simulatedMac();

// A file of the bundle's Resources, found from this program's place in Contents/Helpers.
QString bundleResource(const QString& relativePath);

void printOut(const QByteArray& text);
void printError(const QString& text);

} // namespace tools
