#include "LinuxSearchPaths.h"

#include "PrivateFolder.h"
#include "XdgUserFolders.h"
#include "platform/log/SystemLog.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace platform {

namespace {

struct DomainFolders {
    const char* user;    // below the home folder, without "~/"
    const char* local;
    const char* network;
    const char* system;
};

DomainFolders foldersOf(SearchPathDirectory directory)
{
    switch (directory) {
    case SearchPathDirectory::Applications:
        return {"Applications", "/Applications", "/Network/Applications", "/System/Applications"};
    case SearchPathDirectory::DeveloperApplications:
        return {"Developer/Applications", "/Developer/Applications",
                "/Network/Developer/Applications", "/Developer/Applications"};
    case SearchPathDirectory::Library:
        return {"Library", "/Library", "/Network/Library", "/System/Library"};
    case SearchPathDirectory::Documents:
        return {"Documents", nullptr, nullptr, nullptr};
    case SearchPathDirectory::Desktop:
        return {"Desktop", nullptr, nullptr, nullptr};
    case SearchPathDirectory::Downloads:
        return {"Downloads", nullptr, nullptr, nullptr};
    case SearchPathDirectory::Caches:
        return {"Library/Caches", "/Library/Caches", nullptr, "/System/Library/Caches"};
    case SearchPathDirectory::ApplicationSupport:
        return {"Library/Application Support", "/Library/Application Support",
                "/Network/Library/Application Support", nullptr};
    case SearchPathDirectory::PreferencePanes:
        return {"Library/PreferencePanes", "/Library/PreferencePanes", nullptr,
                "/System/Library/PreferencePanes"};
    }
    return {};
}

} // namespace

LinuxSearchPaths::LinuxSearchPaths(const SimulatedMac& mac)
    : mac_(mac)
{
}

QStringList LinuxSearchPaths::searchPathsForDirectory(SearchPathDirectory directory,
                                                      unsigned domainMask, bool expandTilde) const
{
    const DomainFolders folders = foldersOf(directory);
    QStringList paths;
    if ((domainMask & SearchPathDomain::User) && folders.user) {
        const bool xdg = directory == SearchPathDirectory::Downloads || directory == SearchPathDirectory::Documents;
        if (xdg && expandTilde) {
            const QString folder = xdgUserFolder(directory == SearchPathDirectory::Downloads ? XdgUserFolder::Download
                                                                                              : XdgUserFolder::Documents);
            if (!folder.isNull())
                paths << folder;
        } else {
            paths << (expandTilde ? homeDirectory() : QStringLiteral("~")) + QLatin1Char('/')
                    + QLatin1String(folders.user);
        }
    }
    const std::pair<unsigned, const char*> others[] = {
        {SearchPathDomain::Local, folders.local},
        {SearchPathDomain::Network, folders.network},
        {SearchPathDomain::System, folders.system},
    };
    for (const auto& [domain, folder] : others) {
        if ((domainMask & domain) && folder)
            paths << mac_.pathOnMac(QLatin1String(folder));
    }
    return paths;
}

QString LinuxSearchPaths::homeDirectory() const
{
    return mac_.homePath();
}

QString LinuxSearchPaths::xdgHomeDirectory() const
{
    return QDir::homePath();
}

QString LinuxSearchPaths::xdgUserFolder(XdgUserFolder folder) const
{
    return XdgUserFolders::read().path(folder);
}

QString LinuxSearchPaths::xdgUsualUserFolder(XdgUserFolder folder) const
{
    return xdgHomeDirectory() + QLatin1Char('/') + XdgUserFolders::usualName(folder);
}

QStringList LinuxSearchPaths::xdgBaseDirectories() const
{
    return {XdgUserFolders::baseDirectory("XDG_CONFIG_HOME", "/.config"),
            XdgUserFolders::baseDirectory("XDG_DATA_HOME", "/.local/share"),
            XdgUserFolders::baseDirectory("XDG_CACHE_HOME", "/.cache"),
            XdgUserFolders::baseDirectory("XDG_STATE_HOME", "/.local/state")};
}

bool LinuxSearchPaths::isKernelFolder(const QString& path) const
{
    struct statfs info {};
    if (::statfs(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    // Removing there changes the running system: a cgroup, a firmware variable, a trace point.
    constexpr decltype(info.f_type) kernelFileSystems[] = {
        PROC_SUPER_MAGIC,   SYSFS_MAGIC,         DEVPTS_SUPER_MAGIC, DEBUGFS_MAGIC,  TRACEFS_MAGIC,  SECURITYFS_MAGIC,
        CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, BPF_FS_MAGIC,       EFIVARFS_MAGIC, PSTOREFS_MAGIC, BINFMTFS_MAGIC,
    };
    return std::find(std::begin(kernelFileSystems), std::end(kernelFileSystems), info.f_type) != std::end(kernelFileSystems);
}

QString LinuxSearchPaths::pathOnMac(const QString& macPath) const
{
    return mac_.pathOnMac(macPath);
}

QString LinuxSearchPaths::temporaryBase(const QString& runtimeDirectory, const QString& tmpDirectory)
{
    if (runtimeDirectory.startsWith(QLatin1Char('/')) && QFileInfo(runtimeDirectory).isDir())
        return runtimeDirectory;
    if (tmpDirectory.isEmpty() || !QFileInfo(tmpDirectory).isDir())
        return QStringLiteral("/tmp");
    // Anything below a relative folder would depend on the current folder.
    return tmpDirectory.startsWith(QLatin1Char('/')) ? tmpDirectory : QString();
}

QString LinuxSearchPaths::temporaryDirectory() const
{
    const QString base = temporaryBase(qEnvironmentVariable("XDG_RUNTIME_DIR"), qEnvironmentVariable("TMPDIR"));
    if (base.isEmpty()) {
        NSLog(QStringLiteral("No private temporary folder: TMPDIR is a relative path; commands that write there are not run"));
        return {};
    }
    const unsigned uid = getuid();
    QString path = PrivateFolder::make(base + QStringLiteral("/tavrin-") + QString::number(uid), uid);
    if (!path.isEmpty())
        return path;
    // Someone else holds the usual name: use one fresh private folder for this process.
    QMutexLocker lock(&mutex_);
    if (fallback_.isEmpty() || !QDir(fallback_).exists()) {
        QByteArray pattern = QFile::encodeName(base + QStringLiteral("/tavrin-XXXXXX"));
        if (char* made = mkdtemp(pattern.data()))
            fallback_ = QFile::decodeName(made);
    }
    if (fallback_.isEmpty())
        NSLog(QStringLiteral("No private temporary folder can be made in %1; commands that write there are not run").arg(base));
    return fallback_;
}

} // namespace platform
