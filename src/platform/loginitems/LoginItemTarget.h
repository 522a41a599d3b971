#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class PropertyListSerialization;

// What a new login item for a file shows and runs: an application bundle (a ".app" folder) starts
// its executable, an application's desktop entry its Exec line, a program (a binary or "#!"
// script with the execute bit) runs itself, anything else opens with xdg-open.
struct LoginItemTarget {
    QString displayName;
    QStringList arguments;  // the program and its arguments, unquoted
    QString iconPath;       // empty when there is none

    // The Exec line that starts `arguments` under every launcher.
    QString execLine() const;

    static LoginItemTarget forPath(const QString& path, const PropertyListSerialization& propertyLists);
};

} // namespace platform
