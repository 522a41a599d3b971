#include "QtFileManager.h"

#include "NativePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool QtFileManager::fileExistsAtPath(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool QtFileManager::removeItemAtPath(const QString& path) const
{
    // Qt would remove a name of other bytes than a path that carries non-UTF-8 bytes.
    if (nativeFromPath(path) != QFile::encodeName(path))
        return false;
    const QFileInfo info(path);
    // A link is removed as a link; QDir would remove what it leads to.
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

bool QtFileManager::createDirectoryAtPath(const QString& path) const
{
    return QDir().mkpath(path);
}

bool QtFileManager::createFileAtPath(const QString& path, const QByteArray& contents) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(contents);
    return file.commit();
}

} // namespace platform
