#include "RemoveFileAndFolder.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/trash/Trash.h"

RemoveFileAndFolder::RemoveFileAndFolder(FileNodeList allFilesArr)
    : allFilesArr_(std::move(allFilesArr))
{
}

RemoveFileAndFolder::~RemoveFileAndFolder()
{
    cancelled_->store(true);
    lifetime_.end();
}

int32_t RemoveFileAndFolder::progressFor(int index, int count)
{
    if (count <= 0)
        return 98;
    if (index == 0)
        return count == 1 ? 30 : 0;
    const int32_t percent = int32_t(int64_t(index) * 100 / count);
    return percent >= 100 ? 98 : percent;
}

void RemoveFileAndFolder::start()
{
    cancelled_->store(false);
    errors_.clear();
    removeItem(0);
}

void RemoveFileAndFolder::isCancel()
{
    cancelled_->store(true);
}

void RemoveFileAndFolder::removeItem(int index)
{
    const int count = int(allFilesArr_.size());
    if (index >= count) {
        if (delegate_) {
            if (count > 0)
                delegate_->removeProgress(progressFor(count, count), allFilesArr_.back()->path());
            delegate_->removeObjEnd(errors_);
        }
        return;
    }
    const QString path = allFilesArr_[std::size_t(index)]->path();
    if (delegate_)
        delegate_->removeProgress(progressFor(index, count), path);
    platform::Dispatcher* dispatcher = platform::Platform::current().dispatcher.get();
    platform::Trash* trash = platform::Platform::current().trash.get();
    auto done = lifetime_.guard([this, index](bool moved) { doneErasing(index, moved); });
    dispatcher->asyncGlobal([dispatcher, trash, path, done, cancelled = cancelled_] {
        if (cancelled->load())
            return;
        const bool moved = trash->recycleItemAtPath(path);
        dispatcher->asyncMain([done, moved] { done(moved); });
    });
}

void RemoveFileAndFolder::doneErasing(int index, bool moved)
{
    if (!moved)
        errors_ << allFilesArr_[std::size_t(index)]->path();
    if (cancelled_->load())
        return;
    removeItem(index + 1);
}
