#pragma once

#include <QString>
#include <QStringList>

namespace platform {

enum class SearchPathDirectory {
    Applications,
    DeveloperApplications,
    Library,
    Documents,
    Desktop,
    Downloads,
    Caches,
    ApplicationSupport,
    PreferencePanes,
};

// The XDG user folders of user-dirs.dirs.
enum class XdgUserFolder { Desktop, Documents, Download, Music, Pictures, PublicShare, Templates, Videos };
constexpr int kXdgUserFolderCount = 8;

// Domain masks, combinable.
namespace SearchPathDomain {
constexpr unsigned User = 1;
constexpr unsigned Local = 2;
constexpr unsigned Network = 4;
constexpr unsigned System = 8;
constexpr unsigned All = 0x0ffff;
} // namespace SearchPathDomain

// Where the Mac keeps its folders, and the user's home and temporary folders.
class SearchPaths {
public:
    virtual ~SearchPaths() = default;

    // The folders of `directory` in the domains of `domainMask`, in the order user, local,
    // network, system; with `expandTilde` false the user's folders start with "~". A disabled
    // XDG folder (Downloads, Documents) is not listed.
    virtual QStringList searchPathsForDirectory(SearchPathDirectory directory, unsigned domainMask,
                                                bool expandTilde) const = 0;
    virtual QString homeDirectory() const = 0;
    // The home of the machine's user, whose XDG folders these are (not the Mac's home).
    virtual QString xdgHomeDirectory() const = 0;
    // The user folder as the user set it, or a null text when it is disabled.
    virtual QString xdgUserFolder(XdgUserFolder folder) const = 0;
    // The home's folder of the user folder's usual name ("~/Documents"), where the person may
    // keep it whatever user-dirs.dirs says.
    virtual QString xdgUsualUserFolder(XdgUserFolder folder) const = 0;
    // The user's configuration, data, cache and state folders: $XDG_CONFIG_HOME, … where set to
    // an absolute path, else their usual places in the home.
    virtual QStringList xdgBaseDirectories() const = 0;
    // Whether the folder at the path (links followed) is on one of the kernel's own file systems
    // (proc, sysfs, efivarfs, …), which hold no files of the person's.
    virtual bool isKernelFolder(const QString& path) const = 0;
    // A folder that only this user can enter (mode 0700), made on first use; a null text when
    // none can be had, and then nothing that needs it may run.
    virtual QString temporaryDirectory() const = 0;
    // A Mac path such as "/System/Library/PreferencePanes/Accounts.prefPane" on this machine.
    virtual QString pathOnMac(const QString& macPath) const = 0;
};

} // namespace platform
