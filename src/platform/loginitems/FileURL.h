#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// File URLs and the paths they name, byte for byte: the URL's percent escapes are the path's
// bytes (an invalid UTF-8 byte stays one byte, "%" "#" "?" and blanks stay letters of the name).
// Nothing but a local file URL gives a path; the path is an empty text then.
QString pathFromFileURL(const QUrl& url);
// A folder's URL ends with "/".
QUrl fileURLFromPath(const QString& path, bool isDirectory = false);

} // namespace platform
