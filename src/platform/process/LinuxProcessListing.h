#pragma once

#include "ProcessListing.h"

namespace platform {

// The numbered folders of /proc and their "exe" links.
class LinuxProcessListing final : public ProcessListing {
public:
    explicit LinuxProcessListing(QString procRoot = QStringLiteral("/proc"));
    std::vector<int> listPids() const override;
    QString pidPath(int pid) const override;

private:
    QString procRoot_;
};

} // namespace platform
