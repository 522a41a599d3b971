#include "RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A descriptor when `path` opens as a regular file; -1 otherwise.
int openRegularFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qsizetype limit)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
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

std::optional<QByteArray> readRegularFileHead(const QString& path, qsizetype size)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    QByteArray head(size, Qt::Uninitialized);
    qsizetype filled = 0;
    ssize_t count = 1;
    while (filled < size && count != 0) {
        count = ::read(fd, head.data() + filled, size_t(size - filled));
        if (count < 0 && errno != EINTR)
            break;
        filled += std::max<ssize_t>(count, 0);
    }
    ::close(fd);
    if (count < 0)
        return std::nullopt;
    head.truncate(filled);
    return head;
}

} // namespace platform
