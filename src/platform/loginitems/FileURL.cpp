#include "FileURL.h"

#include "platform/files/NativePath.h"

namespace platform {

QString pathFromFileURL(const QUrl& url)
{
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty())
        return {};
    return pathFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QUrl fileURLFromPath(const QString& path, bool isDirectory)
{
    QByteArray native = nativeFromPath(path);
    if (isDirectory && !native.endsWith('/'))
        native += '/';
    return QUrl::fromEncoded("file://" + native.toPercentEncoding("/"), QUrl::StrictMode);
}

} // namespace platform
