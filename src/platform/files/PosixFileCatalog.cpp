#include "PosixFileCatalog.h"

#include "NativePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// An open folder: a descriptor to resolve its entries against and, for a folder being
// iterated, the directory stream over it.
class PosixFolder final : public FolderAnchor {
public:
    explicit PosixFolder(int fd) : fd_(fd) {}
    ~PosixFolder() override
    {
        if (stream_)
            closedir(stream_); // closes fd_ too
        else if (fd_ >= 0)
            close(fd_);
    }
    PosixFolder(const PosixFolder&) = delete;
    PosixFolder& operator=(const PosixFolder&) = delete;

    int fd() const { return fd_; }
    DIR* stream()
    {
        if (!stream_)
            stream_ = fdopendir(fd_);
        return stream_;
    }

private:
    int fd_;
    DIR* stream_ = nullptr;
};

int parentFd(const FSRef& ref)
{
    auto* parent = static_cast<const PosixFolder*>(ref.parent());
    return parent ? parent->fd() : AT_FDCWD;
}

OSErr errorFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return fnfErr;
    case ENOTDIR:
    case ELOOP: // the name is a symbolic link, which is never entered
        return errFSNotAFolder;
    case EACCES:
    case EPERM:
        return afpAccessDenied;
    case ENOMEM:
        return memFullErr;
    default:
        return ioErr;
    }
}

FSCatalogInfo infoFromStat(const struct stat& st)
{
    FSCatalogInfo info;
    if (S_ISDIR(st.st_mode)) {
        info.nodeFlags = kFSNodeIsDirectoryMask;
    } else {
        info.dataLogicalSize = uint64_t(st.st_size);
        info.dataPhysicalSize = uint64_t(st.st_blocks) * 512;
    }
    return info;
}

class PosixIterator final : public FSIterator {
public:
    explicit PosixIterator(std::shared_ptr<PosixFolder> folder) : folder_(std::move(folder)) {}

    OSErr getCatalogInfoBulk(std::size_t maximumObjects, std::size_t* actualObjects,
                             FSCatalogInfoBitmap, FSCatalogInfo* infos, FSRef* refs) override
    {
        std::size_t count = 0;
        DIR* stream = folder_->stream();
        if (!stream) {
            if (actualObjects)
                *actualObjects = 0;
            return errorFromErrno(errno);
        }
        OSErr status = noErr;
        while (count < maximumObjects) {
            errno = 0;
            const dirent* entry = readdir(stream);
            if (!entry) {
                status = errno ? errorFromErrno(errno) : errFSNoMoreItems;
                break;
            }
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            struct stat st {};
            if (fstatat(folder_->fd(), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // gone since it was listed
            if (infos)
                infos[count] = infoFromStat(st);
            if (refs)
                refs[count] = FSRef(folder_, QByteArray(name));
            ++count;
        }
        if (actualObjects)
            *actualObjects = count;
        return status;
    }

private:
    std::shared_ptr<PosixFolder> folder_;
};

} // namespace

OSErr PosixFileCatalog::pathMakeRef(const QString& path, FSRef* ref) const
{
    if (path.isEmpty())
        return fnfErr;
    QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    if (absolute == QLatin1String("/")) {
        *ref = FSRef(nullptr, QByteArrayLiteral("/"));
        return noErr;
    }
    QFileInfo info(absolute);
    int fd = open(nativeFromPath(info.path()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errorFromErrno(errno);
    auto parent = std::make_shared<PosixFolder>(fd);
    QByteArray name = nativeFromPath(info.fileName());
    struct stat st {};
    if (fstatat(fd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errorFromErrno(errno);
    *ref = FSRef(std::move(parent), std::move(name));
    return noErr;
}

OSErr PosixFileCatalog::openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const
{
    if (!folder.isValid())
        return fnfErr;
    int fd = openat(parentFd(folder), folder.name().constData(),
                    O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errorFromErrno(errno);
    *iterator = std::make_unique<PosixIterator>(std::make_shared<PosixFolder>(fd));
    return noErr;
}

OSErr PosixFileCatalog::getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap, FSCatalogInfo* info) const
{
    if (!ref.isValid())
        return fnfErr;
    struct stat st {};
    if (fstatat(parentFd(ref), ref.name().constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errorFromErrno(errno);
    if (info)
        *info = infoFromStat(st);
    return noErr;
}

} // namespace platform
