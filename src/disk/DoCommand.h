#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Runs a fixed command text through /bin/sh and gives its standard output read as a property
// list, or none when the run or the reading fails. Never hand it a name.
std::optional<QVariant> DoCommand(const QString& command); // kept: named by the design, no caller yet
