#include "LinuxProcessListing.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace platform {

LinuxProcessListing::LinuxProcessListing(QString procRoot)
    : procRoot_(std::move(procRoot))
{
}

std::vector<int> LinuxProcessListing::listPids() const
{
    std::vector<int> pids;
    for (const QString& entry : QDir(procRoot_).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const int pid = entry.toInt(&isNumber);
        if (isNumber && pid > 0)
            pids.push_back(pid);
    }
    return pids;
}

QString LinuxProcessListing::pidPath(int pid) const
{
    const QByteArray link = QFile::encodeName(procRoot_ + QStringLiteral("/%1/exe").arg(pid));
    char target[kMaximumPathSize];
    const ssize_t length = readlink(link.constData(), target, sizeof target);
    // A path that fills the whole buffer may have been cut short: none is better than a wrong one.
    if (length <= 0 || length >= ssize_t(sizeof target))
        return {};
    return QFile::decodeName(QByteArray(target, int(length)));
}

} // namespace platform
