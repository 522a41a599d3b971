#include "FolderChangeWatch.h"

#include "platform/files/RegularFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace platform {

namespace {
// Larger files are told apart by size and time alone.
constexpr qint64 kMaximumHashedSize = 1024 * 1024;
}

FolderChangeWatch::FolderChangeWatch(QString folder, QStringList nameFilters, Reader read)
    : folder_(std::move(folder))
    , nameFilters_(std::move(nameFilters))
    , read_(read ? std::move(read) : [](const QString& path) { return readRegularFile(path, kMaximumHashedSize); })
{
    // A folder that does not exist cannot be watched; the list's owner makes it first.
    watchFiles();
    lastListing_ = listing();
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderChangeWatch::check);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FolderChangeWatch::check);
}

int FolderChangeWatch::subscribe(std::function<void()> changed)
{
    const int id = nextId_++;
    subscribers_.emplace(id, std::move(changed));
    return id;
}

void FolderChangeWatch::unsubscribe(int id)
{
    subscribers_.erase(id);
}

void FolderChangeWatch::check()
{
    // Watched first: a file written again after it was read reports itself.
    watchFiles();
    QStringList current = listing();
    if (current == lastListing_)
        return;
    lastListing_ = std::move(current);
    // A subscriber may unsubscribe itself or another one while being called.
    std::vector<int> ids;
    for (const auto& [id, changed] : subscribers_)
        ids.push_back(id);
    for (int id : ids) {
        auto it = subscribers_.find(id);
        if (it == subscribers_.end())
            continue;
        auto changed = it->second;
        changed();
    }
}

QStringList FolderChangeWatch::listing() const
{
    QStringList lines;
    const QFileInfoList entries =
        QDir(folder_).entryInfoList(nameFilters_, QDir::Files | QDir::System, QDir::Name);
    for (const QFileInfo& info : entries) {
        // The contents too: a rewrite of the same size within one tick of the file clock
        // leaves size and times as they were.
        QByteArray digest;
        if (const auto text = read_(info.filePath()))
            digest = QCryptographicHash::hash(*text, QCryptographicHash::Sha1).toHex();
        lines << info.fileName() + QLatin1Char('\t') + QString::number(info.size()) + QLatin1Char('\t')
                + QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char('\t')
                + info.symLinkTarget() + QLatin1Char('\t') + QString::fromLatin1(digest);
    }
    return lines;
}

void FolderChangeWatch::watchFiles()
{
    // Files replaced by a rename drop out of the watcher; watch what is there now.
    const QStringList watched = watcher_.files();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    if (!watcher_.directories().contains(folder_))
        watcher_.addPath(folder_);
    QStringList files;
    for (const QFileInfo& info :
         QDir(folder_).entryInfoList(nameFilters_, QDir::Files, QDir::Name))
        files << info.filePath();
    if (!files.isEmpty())
        watcher_.addPaths(files);
}

} // namespace platform
