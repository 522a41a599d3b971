#pragma once

#include "platform/files/FileManager.h"
#include "platform/trash/Trash.h"

#include <QMutex>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>

namespace test {

// Records what is recycled and moves nothing; the paths in `failing` stay with a failure.
// `onRecycle` runs first, on the recycling thread.
class RecordingTrash : public platform::Trash {
public:
    bool recycleItemAtPath(const QString& path) override;
    platform::TrashEmptying emptyTrash() override;

    QStringList recycled() const;
    QSet<QString> failing;
    std::function<void()> onRecycle;

private:
    mutable QMutex mutex_;
    QStringList recycled_;
};

// The real file manager, except that removing a path in `failing` fails and changes nothing.
class FailingFileManager : public platform::FileManager {
public:
    explicit FailingFileManager(std::unique_ptr<platform::FileManager> real) : real_(std::move(real)) {}
    bool fileExistsAtPath(const QString& path) const override { return real_->fileExistsAtPath(path); }
    bool removeItemAtPath(const QString& path) const override;
    bool createDirectoryAtPath(const QString& path) const override { return real_->createDirectoryAtPath(path); }
    bool createFileAtPath(const QString& path, const QByteArray& contents) const override
    {
        return real_->createFileAtPath(path, contents);
    }
    std::optional<QStringList> contentsOfDirectoryAtPath(const QString& path) const override
    {
        return real_->contentsOfDirectoryAtPath(path);
    }
    std::optional<platform::FileAttributes> attributesOfItemAtPath(const QString& path, bool traverse) const override
    {
        return real_->attributesOfItemAtPath(path, traverse);
    }
    bool addOwnerPermissionsToOwnFolders(const QString& path) const override
    {
        return real_->addOwnerPermissionsToOwnFolders(path);
    }

    QStringList removed() const;
    QSet<QString> failing;

private:
    std::unique_ptr<platform::FileManager> real_;
    mutable QMutex mutex_;
    mutable QStringList removed_;
};

} // namespace test
