#pragma once

#include <QByteArray>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

// Measures mounted file systems on threads of its own, so that a mount that never answers (a
// FUSE or network server that is gone) holds only that thread: the caller waits at most the
// deadline, and a mount that is still late from an earlier call is not asked again until it
// has answered. Idle threads are kept a while and reused. Any thread.
class MountSizer {
public:
    struct Sizes {
        uint64_t totalBytes = 0;
        uint64_t freeBytes = 0;
    };
    enum class Answer { Measured, Failed, Late };
    struct Result {
        Answer answer = Answer::Failed;
        Sizes sizes;
    };
    using Measure = std::function<std::optional<Sizes>(const QByteArray& path)>;

    explicit MountSizer(std::chrono::milliseconds deadline, Measure measure = statvfsSizes);
    ~MountSizer();
    MountSizer(const MountSizer&) = delete;
    MountSizer& operator=(const MountSizer&) = delete;

    Result measure(const QByteArray& path) const;
    std::chrono::milliseconds deadline() const { return deadline_; }
    static std::optional<Sizes> statvfsSizes(const QByteArray& path);

private:
    struct Shared;
    std::chrono::milliseconds deadline_;
    std::shared_ptr<Shared> shared_;
};

} // namespace platform
