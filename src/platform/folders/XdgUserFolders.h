#pragma once

#include "SearchPaths.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace platform {

// The user folders as `user-dirs.dirs` sets them, read as xdg-user-dirs writes the file: lines
// `XDG_<NAME>_DIR="<value>"`, the value "$HOME/…" or an absolute path, a backslash taking the
// next character as it is. A folder the file does not set is the home's folder of its usual
// name; one set to the home itself is disabled, as the tool writes it once the folder is gone.
class XdgUserFolders {
public:
    // From the file's contents, with `home` for "$HOME".
    XdgUserFolders(const QByteArray& contents, const QString& home);
    // This user's file: `$XDG_CONFIG_HOME/user-dirs.dirs` of the real home.
    static XdgUserFolders read();

    // The folder, or a null text when it is disabled.
    QString path(XdgUserFolder folder) const { return paths_[std::size_t(folder)]; }

    // "Documents" and the like: the name the folder has in the home when the file sets none.
    static QString usualName(XdgUserFolder folder);
    // An XDG base folder: the variable's value when it is an absolute path, else `inHome` below
    // the real home.
    static QString baseDirectory(const char* variable, const char* inHome);

private:
    std::array<QString, kXdgUserFolderCount> paths_;
};

} // namespace platform
