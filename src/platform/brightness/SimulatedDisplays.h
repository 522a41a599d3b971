#pragma once

#include "DisplayBrightness.h"

#include <vector>

namespace platform {

class SimulatedMac;

// The simulated Mac's displays. By default two: the first (an external screen) does not
// answer for its brightness, the second (the built-in one) does; its level is kept in the
// simulated Mac's "Displays" state, so it survives a restart.
class SimulatedDisplays final : public DisplayBrightness {
public:
    struct Display {
        CGDirectDisplayID id = 0;
        bool hasCurrentMode = true;
        IOReturn answer = kIOReturnSuccess; // what a read or write of its brightness gives
    };

    static std::vector<Display> defaultDisplays();

    explicit SimulatedDisplays(SimulatedMac& mac, std::vector<Display> displays = defaultDisplays(),
                               CGError listError = kCGErrorSuccess);

    CGError getActiveDisplayList(std::uint32_t maxDisplays, QList<CGDirectDisplayID>* displays) override;
    bool displayHasCurrentMode(CGDirectDisplayID display) override;
    IOReturn getFloatParameter(CGDirectDisplayID display, const QString& key, float* value) override;
    IOReturn setFloatParameter(CGDirectDisplayID display, const QString& key, float value) override;

private:
    const Display* find(CGDirectDisplayID id) const;

    SimulatedMac& mac_;
    std::vector<Display> displays_;
    CGError listError_;
};

} // namespace platform
