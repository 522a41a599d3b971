// user-dirs.dirs, as the XDG user folders are read from it.
#include "platform/folders/XdgUserFolders.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString home = QStringLiteral("/home/u");
    const platform::XdgUserFolders folders(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), home);
    for (int i = 0; i < platform::kXdgUserFolderCount; ++i) {
        // A folder is disabled, or a path of its own: absolute, never the home itself.
        const QString path = folders.path(platform::XdgUserFolder(i));
        if (!path.isNull() && (!path.startsWith(QLatin1Char('/')) || path == home))
            std::abort();
    }
    return 0;
}
