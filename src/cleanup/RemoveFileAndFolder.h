#pragma once

#include "FileNode.h"

#include "platform/dispatch/Lifetime.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <memory>

// What RemoveFileAndFolder reports, on the main thread.
class RemoveFileAndFolderDelegate {
public:
    virtual ~RemoveFileAndFolderDelegate() = default;
    virtual void removeProgress(int32_t /*percent*/, const QString& /*path*/) {}
    // The paths that stayed where they were.
    virtual void removeObjEnd(const QStringList& /*errors*/) {}
};

// Moves a list of nodes to the Trash one at a time in the background, reporting each step: the
// first 30 for a single item, else 0; then index × 100 / count, 98 in place of 100; then the end
// with the paths that could not be moved. Nothing is ever erased.
class RemoveFileAndFolder {
public:
    explicit RemoveFileAndFolder(FileNodeList allFilesArr);
    ~RemoveFileAndFolder();

    void start();
    // The item under way is finished; no further item starts and no end is reported.
    void isCancel(); // kept: named by the design, no caller yet

    RemoveFileAndFolderDelegate* delegate() const { return delegate_; }
    void setDelegate(RemoveFileAndFolderDelegate* delegate) { delegate_ = delegate; }

    // The report before item `index` (and, for index = count, after the last one).
    static int32_t progressFor(int index, int count);

private:
    void removeItem(int index);
    void doneErasing(int index, bool moved);

    FileNodeList allFilesArr_;
    QStringList errors_;
    RemoveFileAndFolderDelegate* delegate_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
    platform::Lifetime lifetime_;
};
