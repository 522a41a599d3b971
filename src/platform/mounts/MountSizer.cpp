#include "MountSizer.h"

#include <QSet>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/statvfs.h>

namespace platform {

namespace {

// How long an idle thread waits for more work before it ends.
constexpr std::chrono::seconds kIdleLife{30};

struct Job {
    QByteArray path;
    bool done = false;
    std::optional<MountSizer::Sizes> sizes;
};

struct Worker {
    std::shared_ptr<Job> job; // the one it is given; null while idle
};

} // namespace

struct MountSizer::Shared {
    Measure measure;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::shared_ptr<Worker>> idle;
    QSet<QByteArray> late; // asked, missed the deadline, not answered yet
    bool stopping = false;

    // Runs the worker's jobs until it has been idle too long or the sizer goes.
    static void work(const std::shared_ptr<Shared>& shared, const std::shared_ptr<Worker>& worker)
    {
        std::unique_lock lock(shared->mutex);
        while (worker->job) {
            const std::shared_ptr<Job> job = std::exchange(worker->job, nullptr);
            lock.unlock();
            auto sizes = shared->measure(job->path);
            lock.lock();
            job->sizes = sizes;
            job->done = true;
            shared->late.remove(job->path);
            shared->changed.notify_all();
            if (shared->stopping)
                return;
            shared->idle.push_back(worker);
            shared->changed.wait_for(lock, kIdleLife, [&] { return worker->job || shared->stopping; });
            if (!worker->job)
                std::erase(shared->idle, worker);
        }
    }
};

MountSizer::MountSizer(std::chrono::milliseconds deadline, Measure measure)
    : deadline_(deadline)
    , shared_(std::make_shared<Shared>())
{
    shared_->measure = std::move(measure);
}

MountSizer::~MountSizer()
{
    // Threads still measuring keep the shared state and end when their call returns.
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
    shared_->changed.notify_all();
}

MountSizer::Result MountSizer::measure(const QByteArray& path) const
{
    std::unique_lock lock(shared_->mutex);
    if (shared_->late.contains(path))
        return {Answer::Late, {}};
    auto job = std::make_shared<Job>(Job{path, false, std::nullopt});
    if (!shared_->idle.empty()) {
        shared_->idle.back()->job = job;
        shared_->idle.pop_back();
        shared_->changed.notify_all();
    } else {
        auto worker = std::make_shared<Worker>(Worker{job});
        std::thread([shared = shared_, worker] { Shared::work(shared, worker); }).detach();
    }
    if (!shared_->changed.wait_for(lock, deadline_, [&] { return job->done; })) {
        shared_->late.insert(path);
        return {Answer::Late, {}};
    }
    return job->sizes ? Result{Answer::Measured, *job->sizes} : Result{Answer::Failed, {}};
}

std::optional<MountSizer::Sizes> MountSizer::statvfsSizes(const QByteArray& path)
{
    struct statvfs sizes {};
    if (::statvfs(path.constData(), &sizes) != 0)
        return std::nullopt;
    return Sizes{uint64_t(sizes.f_blocks) * sizes.f_frsize, uint64_t(sizes.f_bavail) * sizes.f_frsize};
}

} // namespace platform
