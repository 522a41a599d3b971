#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// The whole text of a kernel file (/proc, /sys), whose reported size is no guide to its length.
// Nothing when it cannot be opened or read, or when it is longer than `limit` bytes.
std::optional<QByteArray> readSystemFile(const QString& path, qsizetype limit = 1 << 20);

} // namespace platform
