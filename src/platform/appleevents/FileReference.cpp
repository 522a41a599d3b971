#include "FileReference.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

bool isThere(const QString& path)
{
    const QFileInfo info(path);
    return QDir::isAbsolutePath(path) && (info.exists() || info.isSymLink());
}

} // namespace

OSErr FSPathMakeRef(const QString& path, FileReference& ref)
{
    if (!isThere(path))
        return fnfErr;
    ref.path = QDir::cleanPath(path);
    return noErr;
}

OSErr FSRefMakePath(const FileReference& ref, QString& path)
{
    if (!isThere(ref.path))
        return fnfErr;
    path = ref.path;
    return noErr;
}

} // namespace platform
