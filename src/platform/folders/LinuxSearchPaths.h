#pragma once

#include "SearchPaths.h"

#include <QMutex>

namespace platform {

class SimulatedMac;

// The Mac's folders live in the simulated Mac; the Downloads folder is the real XDG one.
class LinuxSearchPaths final : public SearchPaths {
public:
    explicit LinuxSearchPaths(const SimulatedMac& mac);

    QStringList searchPathsForDirectory(SearchPathDirectory directory, unsigned domainMask,
                                        bool expandTilde) const override;
    QString homeDirectory() const override;
    QString temporaryDirectory() const override;
    QString pathOnMac(const QString& macPath) const override;

    // The private folder under `base` for user `uid`: made with mode 0700 when missing; refused
    // (null text) when it is a link, not a folder, or owned by someone else. Exposed for tests.
    static QString privateFolder(const QString& base, unsigned uid);

private:
    const SimulatedMac& mac_;
    mutable QMutex mutex_;
    mutable QString fallback_;
};

} // namespace platform
