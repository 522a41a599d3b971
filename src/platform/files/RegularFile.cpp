#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<QByteArray> readRegularFile(const QString& path, qsizetype limit)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray text;
    char chunk[4096];
    bool ok = true;
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 || text.size() + count > limit) {
            ok = false;
            break;
        }
        if (count == 0)
            break;
        text.append(chunk, count);
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace platform
