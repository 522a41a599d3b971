#pragma once

#include <QString>

namespace platform {

// A folder that only one user can enter. Checked with lstat, so a planted link or someone
// else's folder of the same name is never taken for it.
class PrivateFolder {
public:
    // Whether `path` is such a folder already: not a link, owned by `uid`, closed to others.
    static bool isPrivate(const QString& path, unsigned uid);
    // `path` as such a folder: made with mode 0700 when missing, tightened to 0700 when looser;
    // a null text when it is a link, not a folder, someone else's, or cannot be made.
    static QString make(const QString& path, unsigned uid);
};

} // namespace platform
