#pragma once

#include "SearchPaths.h"

#include <QMutex>

namespace platform {

class SimulatedMac;

// The Mac's folders live in the simulated Mac; the Downloads and Documents folders are the real XDG
// ones, as user-dirs.dirs sets them.
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
