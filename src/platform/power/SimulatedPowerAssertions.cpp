#include "SimulatedPowerAssertions.h"

#include "platform/log/SystemLog.h"

#include <QStringList>

namespace platform {

int SimulatedPowerAssertions::IOPMAssertionCreateWithName(const QString& type, int level, const QString& name,
                                                          IOPMAssertionID* assertionID)
{
    if (!assertionID || level != kIOPMAssertionLevelOn)
        return kIOReturnError;
    QMutexLocker lock(&mutex_);
    *assertionID = next_++;
    held_[*assertionID] = name;
    NSLog(QStringLiteral("Power assertion %1 (%2) held (simulated)").arg(name, type));
    return kIOReturnSuccess;
}

int SimulatedPowerAssertions::IOPMAssertionRelease(IOPMAssertionID assertionID)
{
    QMutexLocker lock(&mutex_);
    return held_.erase(assertionID) ? kIOReturnSuccess : kIOReturnNotFound;
}

void SimulatedPowerAssertions::UpdateSystemActivity(int)
{
    QMutexLocker lock(&mutex_);
    ++activity_;
}

QStringList SimulatedPowerAssertions::heldAssertions() const
{
    QMutexLocker lock(&mutex_);
    QStringList names;
    for (const auto& [id, name] : held_)
        names << name;
    return names;
}

int SimulatedPowerAssertions::activityReports() const
{
    QMutexLocker lock(&mutex_);
    return activity_;
}

} // namespace platform
