#include "PrivilegedRemovalRule.h"

namespace platform {

namespace {

// The path with empty and "." components dropped, so "//Users/./me/" is "/Users/me".
QString plain(const QString& path)
{
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part != QLatin1String("."))
            parts << part;
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

} // namespace

bool PrivilegedRemovalRule::refuses(const QString& path, const QStringList& standardFolders)
{
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QChar(0)))
        return true;
    if (path.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return true;
    const QString target = plain(path);
    if (target == QLatin1String("/"))
        return true;
    for (const QString& folder : standardFolders) {
        if (folder.startsWith(QLatin1Char('/')) && plain(folder) == target)
            return true;
    }
    return false;
}

} // namespace platform
