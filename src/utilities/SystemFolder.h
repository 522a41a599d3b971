#pragma once

#include <QString>

// The protected paths: folders of the system that a cleanup never offers to remove, listed in
// the bundle's "SystemFile" property list under the keys "0", "1", …
class SystemFolder {
public:
    // Exact, case-sensitive comparison with every listed path.
    static bool isSystemFileWithFilePath(const QString& path);
};
