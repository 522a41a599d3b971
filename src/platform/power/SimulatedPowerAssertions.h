#pragma once

#include "PowerAssertions.h"

#include <QMutex>

#include <map>

namespace platform {

// Keeps assertions in memory and logs them: nothing reaches this machine's power management.
class SimulatedPowerAssertions final : public PowerAssertions {
public:
    int IOPMAssertionCreateWithName(const QString& type, int level, const QString& name,
                                    IOPMAssertionID* assertionID) override;
    int IOPMAssertionRelease(IOPMAssertionID assertionID) override;
    void UpdateSystemActivity(int activity) override;

    // The names of the assertions held now; how often activity was reported.
    QStringList heldAssertions() const;
    int activityReports() const;

private:
    mutable QMutex mutex_;
    std::map<IOPMAssertionID, QString> held_;
    IOPMAssertionID next_ = 1;
    int activity_ = 0;
};

} // namespace platform
