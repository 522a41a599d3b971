#pragma once

#include "FileCatalog.h"
#include "FileDescriptor.h"

#include <QByteArray>

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>

namespace platform {

// A folder of a walk, kept reachable without a descriptor per level. When more folders than the
// pool's limit are open, the least recently used are closed; a closed folder is reopened when
// used again, by name from its parent (by path at the top), never through a link, and only if it
// is still the same folder (else ESTALE). Its listing resumes where it stopped.
class PosixFolder final : public FolderAnchor {
public:
    // The folders that share one budget of descriptors.
    struct Pool {
        explicit Pool(std::size_t openLimit) : limit(openLimit) {}
        std::mutex mutex;
        std::list<PosixFolder*> open; // most recently used first
        const std::size_t limit;
    };

    // The folder at a path, to find entries in (with search permission only) or to list. Null,
    // with errno set, when it cannot be opened.
    static std::shared_ptr<PosixFolder> openPath(const std::shared_ptr<Pool>& pool, const QByteArray& path,
                                                 bool toList);
    // A folder inside `parent`, to list. Null, with errno set, when it is not a folder (ELOOP for
    // a link) or cannot be opened.
    static std::shared_ptr<PosixFolder> openChild(const std::shared_ptr<PosixFolder>& parent,
                                                  const QByteArray& name);
    // A folder already open, kept open (never closed for room) while it lives.
    static std::shared_ptr<PosixFolder> adopt(const std::shared_ptr<Pool>& pool, FileDescriptor folder);

    FileIdentity identity() const;

    // For make_shared only: folders come from openPath and openChild.
    PosixFolder(std::shared_ptr<Pool> pool, std::shared_ptr<PosixFolder> parent, QByteArray name,
                int flags, int fd, const struct stat& identity);
    ~PosixFolder() override;
    PosixFolder(const PosixFolder&) = delete;
    PosixFolder& operator=(const PosixFolder&) = delete;

    // A walk that leaves this folder goes back to its parent: reopen the parent, if it was
    // closed, through this folder's "..", one step however deep the walk went.
    void reopenParentFromHere();

    // Keeps a folder open while it lives. fd() is -1, with errno set, when the folder could not
    // be reopened; a null folder stands for the current folder (the parent of "/").
    class Use {
    public:
        explicit Use(PosixFolder* folder);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

        int fd() const { return fd_; }
        // The next entries of the listing, where it stopped, in the calling thread's buffer:
        // each call gives one entry (false at the end or, with errno set, on a failure).
        // Entries read ahead stay in the buffer until another folder lists on this thread.
        bool nextEntry(const char** name, unsigned char* type);
        // The mount of the folder, where the kernel tells it.
        std::optional<MountPlace> mountPlace() const;

    private:
        PosixFolder* folder_;
        int fd_;
    };

private:
    static std::shared_ptr<PosixFolder> make(const std::shared_ptr<Pool>& pool,
                                             const std::shared_ptr<PosixFolder>& parent, const QByteArray& name,
                                             int flags);
    static std::shared_ptr<PosixFolder> makeLocked(const std::shared_ptr<Pool>& pool,
                                                   const std::shared_ptr<PosixFolder>& parent,
                                                   const QByteArray& name, int flags, int fd);
    // Each with the pool's lock held.
    bool reopenLocked();
    bool adoptLocked(int fd);
    void closeLocked();
    static void makeRoomLocked(Pool& pool);
    static int openLocked(Pool& pool, PosixFolder* parent, const QByteArray& name, int flags);

    std::shared_ptr<Pool> pool_;
    std::shared_ptr<PosixFolder> parent_; // null at the top, which is reopened by path
    QByteArray name_;                     // the name in the parent, or the path at the top
    int flags_;
    dev_t device_;
    ino_t inode_;
    int fd_ = -1;
    const uint64_t serial_;  // tells this folder's entries in a thread's buffer from others'
    off_t position_ = 0;     // the listing's place after the last entry given out
    off_t descriptorAt_ = 0; // the place of fd_, which reads ahead of position_
    int pins_ = 0;
    std::list<PosixFolder*>::iterator slot_;
};

} // namespace platform
