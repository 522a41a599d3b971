#include "TrashFakes.h"

namespace test {

bool RecordingTrash::recycleItemAtPath(const QString& path)
{
    QMutexLocker lock(&mutex_);
    if (failing.contains(path))
        return false;
    recycled_ << path;
    return true;
}

platform::TrashEmptying RecordingTrash::emptyTrash()
{
    return {};
}

QStringList RecordingTrash::recycled() const
{
    QMutexLocker lock(&mutex_);
    return recycled_;
}

bool FailingFileManager::removeItemAtPath(const QString& path) const
{
    if (failing.contains(path))
        return false;
    const bool removed = real_->removeItemAtPath(path);
    QMutexLocker lock(&mutex_);
    if (removed)
        removed_ << path;
    return removed;
}

QStringList FailingFileManager::removed() const
{
    QMutexLocker lock(&mutex_);
    return removed_;
}

} // namespace test
