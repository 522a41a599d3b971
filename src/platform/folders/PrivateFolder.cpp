#include "PrivateFolder.h"

#include <QFile>

#include <sys/stat.h>

#include <cerrno>

namespace platform {

namespace {

bool ownFolder(const QByteArray& path, unsigned uid, struct stat& info)
{
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid;
}

} // namespace

bool PrivateFolder::isPrivate(const QString& path, unsigned uid)
{
    struct stat info {};
    return ownFolder(QFile::encodeName(path), uid, info) && (info.st_mode & 077) == 0;
}

QString PrivateFolder::make(const QString& path, unsigned uid)
{
    const QByteArray native = QFile::encodeName(path);
    if (mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (!ownFolder(native, uid, info))
        return {};
    if ((info.st_mode & 0777) != 0700 && chmod(native.constData(), 0700) != 0)
        return {};
    return path;
}

} // namespace platform
