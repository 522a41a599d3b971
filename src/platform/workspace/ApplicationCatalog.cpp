#include "ApplicationCatalog.h"

#include "platform/files/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr qint64 kMaximumEntrySize = 1024 * 1024;
constexpr int kMaximumEntries = 20000;
constexpr int kMaximumDepth = 6;
// Folder times move in steps of the kernel's clock tick, and clocks may be set: a generous margin.
constexpr qint64 kRacyWindow = qint64(2) * 1000000000;

qint64 modificationTime(const QString& path)
{
    struct stat info {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return -1;
    return qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

} // namespace

ApplicationCatalog::ApplicationCatalog(QStringList folders, QString locale)
    : folders_(std::move(folders)), locale_(std::move(locale))
{
    // Desktop-file ids are the paths below each folder, so a trailing slash must not shift them.
    for (QString& folder : folders_)
        folder = QDir::cleanPath(folder);
}

QStringList ApplicationCatalog::defaultFolders()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share/:/usr/share/");

    QStringList folders;
    for (const QString& base : QStringList{dataHome} + dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative folders in these variables are invalid and ignored.
        if (!base.startsWith(QLatin1Char('/')))
            continue;
        const QString folder = QDir::cleanPath(base + QStringLiteral("/applications"));
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

ApplicationCatalog::Signature ApplicationCatalog::signature() const
{
    Signature signature;
    for (const QString& folder : folders_ + scannedFolders_)
        signature.emplace_back(folder, modificationTime(folder));
    return signature;
}

bool ApplicationCatalog::refresh()
{
    if (scanned_ && !racy_ && signature() == signature_)
        return false;
    const qint64 scanStart = QDateTime::currentMSecsSinceEpoch() * 1000000;
    const std::vector<ApplicationEntry> before = matcher_.entries();
    scan();
    const bool changed = !scanned_ || matcher_.entries() != before;
    scanned_ = true;
    signature_ = signature();
    // A folder changed so shortly before the scan that a change right after it could leave
    // its time as it was: look again next time.
    racy_ = std::any_of(signature_.begin(), signature_.end(),
                        [&](const auto& folder) { return folder.second > scanStart - kRacyWindow; });
    return changed;
}

void ApplicationCatalog::scan()
{
    std::vector<ApplicationEntry> entries;
    QSet<QString> seenIds;
    scannedFolders_.clear();
    for (const QString& root : folders_) {
        const QString prefix = root + QLatin1Char('/');
        QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (folders.hasNext()) {
            const QString folder = folders.next();
            if (folder.count(QLatin1Char('/')) - root.count(QLatin1Char('/')) <= kMaximumDepth)
                scannedFolders_ << folder;
        }
        // Sorted, so that which of two equal matches wins does not depend on the file system.
        QStringList paths;
        QDirIterator files(root, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Hidden,
                           QDirIterator::Subdirectories);
        while (files.hasNext() && paths.size() < kMaximumEntries)
            paths << files.next();
        paths.sort();
        for (const QString& path : paths) {
            if (int(entries.size()) >= kMaximumEntries)
                break;
            QString relative = path.mid(prefix.size());
            if (relative.count(QLatin1Char('/')) > kMaximumDepth)
                continue;
            // The desktop-file id: the path below the folder with "/" made "-".
            const QString id = relative.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (seenIds.contains(id))
                continue;
            // A hidden or broken entry still hides the entries of the same id further down.
            seenIds.insert(id);
            const std::optional<QByteArray> text = readRegularFile(path, kMaximumEntrySize);
            if (!text)
                continue;
            if (std::optional<ApplicationEntry> entry = ApplicationEntry::parse(*text, locale_)) {
                entry->id = id;
                entry->path = path;
                entries.push_back(std::move(*entry));
            }
        }
    }
    matcher_ = ApplicationMatcher(std::move(entries));
}

} // namespace platform
