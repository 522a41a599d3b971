#pragma once

#include "platform/smc/SmcConnection.h" // IOReturn and its codes

#include <QList>
#include <QString>

#include <cstdint>

namespace platform {

using CGDirectDisplayID = std::uint32_t;
using CGError = std::int32_t;

inline constexpr CGError kCGErrorSuccess = 0;
inline constexpr CGError kCGErrorFailure = 1000;
inline constexpr IOReturn kIOReturnNotPermitted = IOReturn(0xe00002e2);

inline const QString kIODisplayBrightnessKey = QStringLiteral("brightness");

// The active displays and their float parameters (the display services' "brightness", 0.0 to
// 1.0), as the window server and the display drivers offer them.
class DisplayBrightness {
public:
    virtual ~DisplayBrightness() = default;

    // At most `maxDisplays`. On an error the displays already found are still given.
    virtual CGError getActiveDisplayList(std::uint32_t maxDisplays, QList<CGDirectDisplayID>* displays) = 0;
    // Whether the display has a current mode (a display that is off or mirrored may not).
    virtual bool displayHasCurrentMode(CGDirectDisplayID display) = 0;
    virtual IOReturn getFloatParameter(CGDirectDisplayID display, const QString& key, float* value) = 0;
    virtual IOReturn setFloatParameter(CGDirectDisplayID display, const QString& key, float value) = 0;
};

} // namespace platform
