#include "HicolorIcons.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace platform {

namespace {

// Small list pictures are drawn best from the drawing, then from the nearest larger sizes.
int sizeRank(const QString& size)
{
    static const QStringList order{QStringLiteral("scalable"), QStringLiteral("48x48"),   QStringLiteral("64x64"),
                                   QStringLiteral("32x32"),    QStringLiteral("96x96"),   QStringLiteral("128x128"),
                                   QStringLiteral("256x256"),  QStringLiteral("24x24"),   QStringLiteral("22x22"),
                                   QStringLiteral("512x512"),  QStringLiteral("16x16")};
    const qsizetype rank = order.indexOf(size);
    return rank < 0 ? int(order.size()) : int(rank);
}

int contextRank(const QString& context)
{
    static const QStringList order{QStringLiteral("apps"), QStringLiteral("mimetypes"), QStringLiteral("places"),
                                   QStringLiteral("devices"), QStringLiteral("categories")};
    const qsizetype rank = order.indexOf(context);
    return rank < 0 ? int(order.size()) : int(rank);
}

} // namespace

HicolorIcons::HicolorIcons(QStringList dataFolders)
    : dataFolders_(std::move(dataFolders))
{
}

QStringList HicolorIcons::defaultDataFolders()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders;
    for (const QString& folder : QStringList{dataHome} + dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (folder.startsWith(QLatin1Char('/')) && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QStringList HicolorIcons::pictureFolders() const
{
    struct Folder {
        QString path;
        int size, context, base;
    };
    std::vector<Folder> found;
    for (int base = 0; base < dataFolders_.size(); ++base) {
        const QString theme = dataFolders_[base] + QStringLiteral("/icons/hicolor");
        for (const QString& size : QDir(theme).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString& context : QDir(theme + QLatin1Char('/') + size).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                found.push_back({theme + QLatin1Char('/') + size + QLatin1Char('/') + context, sizeRank(size),
                                 contextRank(context), base});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Folder& a, const Folder& b) {
        return std::tie(a.size, a.context, a.base) < std::tie(b.size, b.context, b.base);
    });
    QStringList folders;
    for (const Folder& folder : found)
        folders << folder.path;
    for (const QString& base : dataFolders_)
        folders << base + QStringLiteral("/pixmaps");
    return folders;
}

QString HicolorIcons::fileFor(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return {};
    QMutexLocker lock(&mutex_);
    if (const auto known = found_.constFind(name); known != found_.cend())
        return *known;
    if (!listed_) {
        folders_ = pictureFolders();
        listed_ = true;
    }
    QString file;
    for (const QString& folder : std::as_const(folders_)) {
        for (const char* extension : {".svg", ".png", ".xpm"}) {
            const QString candidate = folder + QLatin1Char('/') + name + QLatin1String(extension);
            if (QFileInfo(candidate).isFile()) {
                file = candidate;
                break;
            }
        }
        if (!file.isEmpty())
            break;
    }
    found_.insert(name, file);
    return file;
}

} // namespace platform
