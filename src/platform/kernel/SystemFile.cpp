#include "SystemFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

std::optional<QByteArray> readSystemFile(const QString& path, qsizetype limit)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
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

} // namespace platform
