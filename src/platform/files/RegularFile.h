#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// The whole contents of a file that another program or person may control (a desktop entry, a
// bundle's Info.plist, /proc and /sys text, the settings). Opened without blocking and accepted
// only when the open descriptor is a regular file, so a FIFO or device under the name can neither
// stall nor flood the program; the size reported by the file system is no guide (/proc gives 0).
// Nothing when it cannot be read or is longer than `limit` bytes.
std::optional<QByteArray> readRegularFile(const QString& path, qsizetype limit = 1 << 20);

// The first `size` bytes of such a file (all of it when it is shorter), read the same way.
std::optional<QByteArray> readRegularFileHead(const QString& path, qsizetype size);

} // namespace platform
