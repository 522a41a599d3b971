#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Which paths a removal with raised rights may never take: an empty or relative path, one with
// a ".." component, and the standard folders themselves (the root, the homes, the Mac's
// folders), however many slashes they are written with.
class PrivilegedRemovalRule {
public:
    static bool refuses(const QString& path, const QStringList& standardFolders);
};

} // namespace platform
