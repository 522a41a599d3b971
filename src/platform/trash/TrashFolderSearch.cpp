#include "TrashFolderSearch.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

namespace {

// Looks at once; more would only wait on the same disks.
constexpr qsizetype kWorkers = 8;

// Shared with the workers, which may outlive the search.
struct Search {
    QList<QByteArray> mounts;
    TrashFolderSearch::LookUp lookUp;
    std::mutex mutex;
    std::condition_variable answered;
    qsizetype next = 0;
    qsizetype done = 0;
    bool closed = false; // past the deadline: no new look starts
    std::vector<std::optional<QList<TrashFolder>>> answers;

    void work()
    {
        std::unique_lock lock(mutex);
        while (!closed && next < mounts.size()) {
            const qsizetype at = next++;
            lock.unlock();
            QList<TrashFolder> found = lookUp(mounts.at(at)); // at(): a shared list must not detach on a worker
            lock.lock();
            answers[std::size_t(at)] = std::move(found);
            ++done;
            answered.notify_all();
        }
    }
};

} // namespace

TrashFolderSearch::Found TrashFolderSearch::search(const QList<QByteArray>& mounts, LookUp lookUp,
                                                   std::chrono::milliseconds deadline)
{
    auto search = std::make_shared<Search>();
    search->mounts = mounts;
    search->lookUp = std::move(lookUp);
    search->answers.resize(std::size_t(mounts.size()));
    try {
        for (qsizetype i = 0; i < std::min(kWorkers, mounts.size()); ++i)
            std::thread([search] { search->work(); }).detach();
    } catch (const std::system_error&) {
        // No more threads now: the workers made so far look at every mount.
    }

    Found found;
    std::unique_lock lock(search->mutex);
    search->answered.wait_for(lock, deadline, [&] { return search->done == mounts.size(); });
    search->closed = true;
    for (qsizetype i = 0; i < mounts.size(); ++i) {
        if (const auto& answer = search->answers[std::size_t(i)])
            found.folders += *answer;
        else
            found.unanswered << mounts[i];
    }
    return found;
}

} // namespace platform
