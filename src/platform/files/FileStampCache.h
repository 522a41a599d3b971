#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace platform {

// The modification time, size and inode of each path (all -1 for a path that is missing), so
// that a value read from those files is known to be current while the stamp is unchanged.
std::vector<qint64> fileStamp(const QStringList& paths);

// Values read from files, kept by key while the files' stamp holds, so that a burst of launches
// of one application reads its files once. At most `kLimit` keys; past that it starts afresh.
// Safe to share between threads.
template <typename T>
class FileStampCache {
public:
    static constexpr int kLimit = 1024;

    // The value kept for `key` while `files` are as they were when it was read; else `read()`.
    T value(const QString& key, const QStringList& files, const std::function<T()>& read)
    {
        std::vector<qint64> stamp = fileStamp(files);
        {
            QMutexLocker lock(&mutex_);
            auto kept = kept_.constFind(key);
            if (kept != kept_.cend() && kept->stamp == stamp)
                return kept->value;
        }
        T value = read();
        QMutexLocker lock(&mutex_);
        if (kept_.size() >= kLimit)
            kept_.clear();
        kept_.insert(key, {std::move(stamp), value});
        return value;
    }

private:
    struct Kept {
        std::vector<qint64> stamp;
        T value;
    };
    QMutex mutex_;
    QHash<QString, Kept> kept_;
};

} // namespace platform
