#include "PosixFileCatalog.h"

#include "NativePath.h"
#include "PosixIdentity.h"

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

// Folders open at once, per catalog; the others are reopened by name when used again.
constexpr std::size_t kOpenFolderLimit = 32;

PosixFolder* folderOf(const FSRef& ref)
{
    return static_cast<PosixFolder*>(ref.parent().get());
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
    case ENOTEMPTY:
    case EEXIST:
        return fBsyErr;
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
    const FileIdentity identity = identityOf(st);
    info.volume = identity.device;
    info.nodeID = identity.inode;
    return info;
}

class PosixIterator final : public FSIterator {
public:
    explicit PosixIterator(std::shared_ptr<PosixFolder> folder) : folder_(std::move(folder)) {}
    ~PosixIterator() override { folder_->reopenParentFromHere(); }

    OSErr getCatalogInfoBulk(std::size_t maximumObjects, std::size_t* actualObjects,
                             FSCatalogInfoBitmap, FSCatalogInfo* infos, FSRef* refs) override
    {
        std::size_t count = 0;
        PosixFolder::Use use(folder_.get());
        if (use.fd() < 0) {
            if (actualObjects)
                *actualObjects = 0;
            return errorFromErrno(errno);
        }
        OSErr status = noErr;
        while (count < maximumObjects) {
            const char* name = nullptr;
            unsigned char type = DT_UNKNOWN;
            if (!use.nextEntry(&name, &type)) {
                status = errno ? errorFromErrno(errno) : errFSNoMoreItems;
                break;
            }
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (infos && type == DT_DIR) {
                infos[count] = FSCatalogInfo{kFSNodeIsDirectoryMask}; // a folder's own size counts nothing
            } else if (infos) {
                struct stat st {};
                if (fstatat(use.fd(), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue; // gone since it was listed
                infos[count] = infoFromStat(st);
            }
            if (refs)
                refs[count].reset(folder_, name);
            ++count;
        }
        if (actualObjects)
            *actualObjects = count;
        return status;
    }

    FileIdentity folderIdentity() const override { return folder_->identity(); }

    std::optional<MountPlace> mountPlace() const override
    {
        PosixFolder::Use use(folder_.get());
        return use.mountPlace();
    }

private:
    std::shared_ptr<PosixFolder> folder_;
};

} // namespace

PosixFileCatalog::PosixFileCatalog() : folders_(std::make_shared<PosixFolder::Pool>(kOpenFolderLimit)) {}

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
    auto parent = PosixFolder::openPath(folders_, nativeFromPath(info.path()), false);
    if (!parent)
        return errorFromErrno(errno);
    QByteArray name = nativeFromPath(info.fileName());
    PosixFolder::Use use(parent.get());
    struct stat st {};
    if (use.fd() == -1 || fstatat(use.fd(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errorFromErrno(errno);
    *ref = FSRef(std::move(parent), std::move(name));
    return noErr;
}

OSErr PosixFileCatalog::openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const
{
    if (!folder.isValid())
        return fnfErr;
    const auto& parent = folder.parent();
    std::shared_ptr<PosixFolder> opened = parent
        ? PosixFolder::openChild(std::static_pointer_cast<PosixFolder>(parent), folder.name())
        : PosixFolder::openPath(folders_, folder.name(), true); // "/", which has no parent
    if (!opened)
        return errorFromErrno(errno);
    *iterator = std::make_unique<PosixIterator>(std::move(opened));
    return noErr;
}

OSErr PosixFileCatalog::getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap, FSCatalogInfo* info) const
{
    if (!ref.isValid())
        return fnfErr;
    PosixFolder::Use use(folderOf(ref));
    struct stat st {};
    if (use.fd() == -1 || fstatat(use.fd(), ref.name().constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errorFromErrno(errno);
    if (info)
        *info = infoFromStat(st);
    return noErr;
}

OSErr PosixFileCatalog::deleteObject(const FSRef& ref) const
{
    if (!ref.isValid())
        return fnfErr;
    PosixFolder::Use use(folderOf(ref));
    if (use.fd() == -1)
        return errorFromErrno(errno);
    const char* name = ref.name().constData();
    if (unlinkat(use.fd(), name, 0) == 0 || (errno == EISDIR && unlinkat(use.fd(), name, AT_REMOVEDIR) == 0))
        return noErr;
    return errorFromErrno(errno);
}

OSErr PosixFileCatalog::makeRefInFolder(FileDescriptor folder, const QByteArray& name, FSRef* ref) const
{
    if (name.isEmpty() || name.contains('/') || name.contains('\0'))
        return fnfErr;
    auto anchor = PosixFolder::adopt(folders_, std::move(folder));
    if (!anchor)
        return errorFromErrno(errno);
    *ref = FSRef(std::move(anchor), zeroTerminated(name));
    return noErr;
}

} // namespace platform
