#include "PosixFolder.h"

#include "PosixIdentity.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

constexpr int kPathFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
constexpr int kListFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

std::atomic<uint64_t> nextSerial{1};

// One per thread and reused for every folder: a buffer per folder would cost a large allocation
// (and the heap's consolidation) for each folder of a walk.
struct ListingBuffer {
    alignas(dirent64) char data[32 * 1024];
    uint64_t owner = 0; // the serial of the folder whose entries these are
    std::size_t next = 0;
    std::size_t end = 0;
};

ListingBuffer& listingBuffer()
{
    thread_local ListingBuffer buffer;
    return buffer;
}

} // namespace

std::shared_ptr<PosixFolder> PosixFolder::openPath(const std::shared_ptr<Pool>& pool, const QByteArray& path,
                                                   bool toList)
{
    return make(pool, nullptr, path, toList ? kListFlags : kPathFlags);
}

std::shared_ptr<PosixFolder> PosixFolder::openChild(const std::shared_ptr<PosixFolder>& parent,
                                                    const QByteArray& name)
{
    return make(parent->pool_, parent, name, kListFlags);
}

std::shared_ptr<PosixFolder> PosixFolder::make(const std::shared_ptr<Pool>& pool,
                                               const std::shared_ptr<PosixFolder>& parent, const QByteArray& name,
                                               int flags)
{
    std::lock_guard lock(pool->mutex);
    if (parent && parent->fd_ < 0 && !parent->reopenLocked())
        return nullptr;
    return makeLocked(pool, parent, name, flags, openLocked(*pool, parent.get(), name, flags));
}

std::shared_ptr<PosixFolder> PosixFolder::adopt(const std::shared_ptr<Pool>& pool, FileDescriptor folder)
{
    std::lock_guard lock(pool->mutex);
    makeRoomLocked(*pool);
    auto adopted = makeLocked(pool, nullptr, {}, kPathFlags, folder.release());
    if (adopted)
        adopted->pins_ = 1; // it has no path to be reopened by
    return adopted;
}

// Takes over `fd` (-1 when the open failed).
std::shared_ptr<PosixFolder> PosixFolder::makeLocked(const std::shared_ptr<Pool>& pool,
                                                     const std::shared_ptr<PosixFolder>& parent,
                                                     const QByteArray& name, int flags, int fd)
{
    struct stat identity {};
    if (fd >= 0 && fstat(fd, &identity) == 0)
        return std::make_shared<PosixFolder>(pool, parent, name, flags, fd, identity);
    if (fd >= 0)
        close(fd);
    return nullptr;
}

FileIdentity PosixFolder::identity() const
{
    struct stat info {};
    info.st_dev = device_;
    info.st_ino = inode_;
    return identityOf(info);
}

// Called by make, with the pool's lock held.
PosixFolder::PosixFolder(std::shared_ptr<Pool> pool, std::shared_ptr<PosixFolder> parent, QByteArray name,
                         int flags, int fd, const struct stat& identity)
    : pool_(std::move(pool)), parent_(std::move(parent)), name_(std::move(name)), flags_(flags),
      device_(identity.st_dev), inode_(identity.st_ino), fd_(fd), serial_(nextSerial++)
{
    pool_->open.push_front(this);
    slot_ = pool_->open.begin();
}

PosixFolder::~PosixFolder()
{
    {
        std::lock_guard lock(pool_->mutex);
        closeLocked();
    }
    // Let go of the parents that only this folder kept one at a time, not one destructor
    // inside the other for every level of a deep walk.
    std::shared_ptr<PosixFolder> parent = std::move(parent_);
    while (parent && parent.use_count() == 1)
        parent = std::move(parent->parent_);
}

void PosixFolder::reopenParentFromHere()
{
    std::lock_guard lock(pool_->mutex);
    PosixFolder* parent = parent_.get();
    if (fd_ < 0 || !parent || parent->fd_ >= 0)
        return;
    ++pins_;
    makeRoomLocked(*pool_);
    const int fd = openat(fd_, "..", parent->flags_);
    --pins_;
    if (fd >= 0)
        parent->adoptLocked(fd); // when it is not the same folder, the parent stays closed
}

bool PosixFolder::reopenLocked()
{
    // The closed folders between this one and its nearest open ancestor, reopened top down.
    std::vector<PosixFolder*> closed;
    for (PosixFolder* folder = this; folder && folder->fd_ < 0; folder = folder->parent_.get())
        closed.push_back(folder);
    for (auto it = closed.rbegin(); it != closed.rend(); ++it) {
        PosixFolder* folder = *it;
        const int fd = openLocked(*pool_, folder->parent_.get(), folder->name_, folder->flags_);
        if (fd < 0 || !folder->adoptLocked(fd))
            return false;
    }
    return true;
}

bool PosixFolder::adoptLocked(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0 || st.st_dev != device_ || st.st_ino != inode_) {
        close(fd);
        errno = ESTALE;
        return false;
    }
    fd_ = fd;
    descriptorAt_ = 0;
    pool_->open.push_front(this);
    slot_ = pool_->open.begin();
    return true;
}

void PosixFolder::closeLocked()
{
    if (fd_ < 0)
        return;
    close(fd_);
    fd_ = -1;
    pool_->open.erase(slot_);
}

void PosixFolder::makeRoomLocked(Pool& pool)
{
    for (auto it = pool.open.end(); pool.open.size() >= pool.limit && it != pool.open.begin();) {
        PosixFolder* folder = *--it;
        if (!folder->pins_) {
            ++it; // past the slot that closing erases
            folder->closeLocked();
        }
    }
}

int PosixFolder::openLocked(Pool& pool, PosixFolder* parent, const QByteArray& name, int flags)
{
    if (parent)
        ++parent->pins_;
    makeRoomLocked(pool);
    const auto attempt = [&] {
        return parent ? openat(parent->fd_, name.constData(), flags) : open(name.constData(), flags);
    };
    int fd = attempt();
    if (fd < 0 && (errno == EMFILE || errno == ENFILE)) {
        // Other code holds descriptors too: give back every folder not in use and try again.
        for (auto it = pool.open.begin(); it != pool.open.end();) {
            PosixFolder* folder = *it++;
            if (!folder->pins_)
                folder->closeLocked();
        }
        fd = attempt();
    }
    if (parent)
        --parent->pins_;
    return fd;
}

PosixFolder::Use::Use(PosixFolder* folder) : folder_(folder), fd_(AT_FDCWD)
{
    if (!folder)
        return;
    std::lock_guard lock(folder->pool_->mutex);
    if (folder->fd_ < 0 && !folder->reopenLocked()) {
        folder_ = nullptr;
        fd_ = -1;
        return;
    }
    ++folder->pins_;
    auto& open = folder->pool_->open;
    open.splice(open.begin(), open, folder->slot_);
    fd_ = folder->fd_;
}

PosixFolder::Use::~Use()
{
    if (!folder_)
        return;
    std::lock_guard lock(folder_->pool_->mutex);
    --folder_->pins_;
}

std::optional<MountPlace> PosixFolder::Use::mountPlace() const
{
    struct statx info {};
    if (fd_ < 0 || statx(fd_, "", AT_EMPTY_PATH, STATX_MNT_ID, &info) != 0)
        return std::nullopt;
    MountPlace place;
    if (info.stx_mask & STATX_MNT_ID)
        place.mountId = info.stx_mnt_id;
    place.isMountRoot = (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (info.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return place;
}

bool PosixFolder::Use::nextEntry(const char** name, unsigned char* type)
{
    if (!folder_) {
        errno = EBADF;
        return false;
    }
    ListingBuffer& buffer = listingBuffer();
    if (buffer.owner != folder_->serial_) {
        buffer.owner = folder_->serial_;
        buffer.next = buffer.end = 0;
    }
    if (buffer.next >= buffer.end) {
        // The descriptor is ahead when read-ahead entries were dropped, behind when reopened.
        if (folder_->descriptorAt_ != folder_->position_) {
            if (lseek(fd_, folder_->position_, SEEK_SET) < 0)
                return false;
            folder_->descriptorAt_ = folder_->position_;
        }
        const ssize_t length = getdents64(fd_, buffer.data, sizeof buffer.data);
        if (length <= 0) {
            if (length == 0)
                errno = 0;
            return false;
        }
        buffer.next = 0;
        buffer.end = std::size_t(length);
        std::size_t last = 0;
        for (std::size_t at = 0; at < buffer.end; at += reinterpret_cast<const dirent64*>(buffer.data + at)->d_reclen)
            last = at;
        folder_->descriptorAt_ = reinterpret_cast<const dirent64*>(buffer.data + last)->d_off;
    }
    const auto* entry = reinterpret_cast<const dirent64*>(buffer.data + buffer.next);
    buffer.next += entry->d_reclen;
    folder_->position_ = entry->d_off;
    *name = entry->d_name;
    *type = entry->d_type;
    return true;
}

} // namespace platform
