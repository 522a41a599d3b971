#pragma once

#include "platform/files/FileManager.h"
#include "platform/files/NativePath.h"
#include "platform/trash/Trash.h"

#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>

namespace test {

// Records what is recycled (by path, or the path of a location) and moves nothing; `onRecycle`
// runs first.
class RecordingTrash : public platform::Trash {
public:
    bool recycleItemAtPath(const QString& path) override
    {
        if (onRecycle)
            onRecycle();
        recycled_ << path;
        return true;
    }
    bool recycleItemAtLocation(const platform::ItemLocation& location, const platform::ProtectedFolders&, QString*) override
    {
        return recycleItemAtPath(platform::pathFromNative(location.path()));
    }
    platform::TrashEmptying emptyTrash(const platform::ProtectedFolders&) override { return {}; }
    QStringList recycled() const { return recycled_; }
    std::function<void()> onRecycle;

private:
    QStringList recycled_;
};

// The real file manager, except that removing a path in `failing` (or an item whose location
// leads there) fails and changes nothing.
class FailingFileManager : public platform::FileManager {
public:
    explicit FailingFileManager(std::unique_ptr<platform::FileManager> real) : real_(std::move(real)) {}
    bool fileExistsAtPath(const QString& path) const override { return real_->fileExistsAtPath(path); }
    bool removeItemAtPath(const QString& path) const override { return !failing.contains(path) && real_->removeItemAtPath(path); }
    bool removeItemAtLocation(const platform::ItemLocation& location, const platform::ProtectedFolders& protectedFolders,
                              QString* error) const override
    {
        return !failing.contains(platform::pathFromNative(location.path()))
            && real_->removeItemAtLocation(location, protectedFolders, error);
    }
    std::optional<platform::ItemLocation> locationOfItemAtPath(const QString& path, const QString& root,
                                                               QString* error) const override
    {
        return real_->locationOfItemAtPath(path, root, error);
    }
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
    platform::FolderAccess addOwnerPermissionsToOwnFolders(const platform::ItemLocation& location,
                                                           const platform::ProtectedFolders& protectedFolders) const override
    {
        return real_->addOwnerPermissionsToOwnFolders(location, protectedFolders);
    }
    QSet<QString> failing;

private:
    std::unique_ptr<platform::FileManager> real_;
};

} // namespace test
