#include "FileStampCache.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

std::vector<qint64> fileStamp(const QStringList& paths)
{
    std::vector<qint64> stamp;
    stamp.reserve(std::size_t(paths.size()) * 3);
    for (const QString& path : paths) {
        struct stat info {};
        if (stat(QFile::encodeName(path).constData(), &info) != 0) {
            stamp.insert(stamp.end(), {-1, -1, -1});
            continue;
        }
        stamp.insert(stamp.end(), {qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                                   qint64(info.st_size), qint64(info.st_ino)});
    }
    return stamp;
}

} // namespace platform
