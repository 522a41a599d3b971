#pragma once

#include "SearchPaths.h"

#include <QMutex>

namespace platform {

class SimulatedMac;

// The Mac's folders live in the simulated Mac; the Downloads and Documents folders are the real
// XDG ones, as user-dirs.dirs sets them (`XdgUserFolders`). Each user folder's usual place in the
// home and the XDG base folders (configuration, data, cache, state) are given too, for the
// removal rules that protect them. `isKernelFolder` tells proc, sysfs, efivarfs and the kernel's
// other own file systems apart by `statfs`.
// The private temporary folder is `tavrin-<uid>` in `temporaryBase`, mode 0700; one that is a
// link or someone else's is refused and a fresh `tavrin-XXXXXX` is made beside it. A relative
// TMPDIR gives no temporary folder at all (logged), and then no command that writes there runs:
// a relative folder would land wherever the program happens to run.
class LinuxSearchPaths final : public SearchPaths {
public:
    explicit LinuxSearchPaths(const SimulatedMac& mac);

    QStringList searchPathsForDirectory(SearchPathDirectory directory, unsigned domainMask,
                                        bool expandTilde) const override;
    QString homeDirectory() const override;
    QString xdgHomeDirectory() const override;
    QString xdgUserFolder(XdgUserFolder folder) const override;
    QString xdgUsualUserFolder(XdgUserFolder folder) const override;
    QStringList xdgBaseDirectories() const override;
    bool isKernelFolder(const QString& path) const override;
    QString temporaryDirectory() const override;
    QString pathOnMac(const QString& macPath) const override;

    // Where the private temporary folder goes: $XDG_RUNTIME_DIR when it is a folder, else
    // $TMPDIR, else /tmp when TMPDIR is unset or names no folder; a null text when TMPDIR is a
    // relative folder.
    static QString temporaryBase(const QString& runtimeDirectory, const QString& tmpDirectory);

private:
    const SimulatedMac& mac_;
    mutable QMutex mutex_;
    mutable QString fallback_;
};

} // namespace platform
