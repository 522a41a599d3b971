#include "StandardErrorLog.h"

#include <QDateTime>

#include <cstdio>
#include <unistd.h>

namespace platform {

void StandardErrorLog::write(const QString& message)
{
    QByteArray line = QDateTime::currentDateTime()
                          .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                          .toUtf8()
        + " Tavrin[" + QByteArray::number(getpid()) + "] " + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

} // namespace platform
