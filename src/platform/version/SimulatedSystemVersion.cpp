#include "SimulatedSystemVersion.h"

#include "platform/simulated/SimulatedMac.h"

#include <QStringList>

#include <algorithm>

namespace platform {

SimulatedSystemVersion::SimulatedSystemVersion(const SimulatedMac& mac)
    : mac_(mac)
{
}

OSErr SimulatedSystemVersion::gestalt(OSType selector, int32_t* response) const
{
    return answer(mac_.productVersion(), selector, response);
}

OSErr SimulatedSystemVersion::answer(const QString& version, OSType selector, int32_t* response)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    int32_t numbers[3] = {0, 0, 0};
    for (int i = 0; i < parts.size() && i < 3; ++i) {
        bool ok = false;
        numbers[i] = int32_t(parts[i].toInt(&ok));
        if (!ok || numbers[i] < 0)
            return gestaltUndefSelectorErr;
    }
    const auto [major, minor, bugFix] = numbers;
    int32_t value = 0;
    if (selector == gestaltSystemVersion) {
        value = major == 10 && minor <= 9 ? 0x1000 | minor << 4 | std::min(bugFix, 9) : 0x1099;
    } else if (selector == gestaltSystemVersionMajor) {
        value = major;
    } else if (selector == gestaltSystemVersionMinor) {
        // From macOS 11 a Mac answers programs built for 10.x as if it were 10.16.
        value = major >= 11 ? 16 : minor;
    } else if (selector == gestaltSystemVersionBugFix) {
        value = bugFix;
    } else {
        return gestaltUndefSelectorErr;
    }
    if (response)
        *response = value;
    return noErr;
}

} // namespace platform
