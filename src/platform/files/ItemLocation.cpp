#include "ItemLocation.h"

#include "NativePath.h"

namespace platform {

QByteArray ItemLocation::path() const
{
    QByteArray path = rootPath;
    const auto append = [&path](const QByteArray& name) {
        if (!path.endsWith('/'))
            path += '/';
        path += name;
    };
    for (const FolderStep& step : folders)
        append(step.name);
    append(name);
    return path;
}

QString ItemLocation::displayPath() const
{
    return displayTextFromNative(path());
}

} // namespace platform
