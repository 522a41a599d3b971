#pragma once

#include "DisplayBrightness.h"

#include <QStringList>

#include <functional>

namespace platform {

// The machine's backlights (/sys/class/backlight), one display each, in name order. A level
// is written to the device's "brightness" file where this user may, else through the login
// manager's SetBrightness (which lets the session's user set it without rights of their own).
class BacklightDisplays final : public DisplayBrightness {
public:
    // Sets a backlight's raw level for the session; false when that failed.
    using SetThroughLoginManager = std::function<bool(const QString& device, std::uint32_t level)>;

    static QString defaultFolder() { return QStringLiteral("/sys/class/backlight"); }
    // The devices of the folder; empty when there is none.
    static QStringList devicesIn(const QString& folder);
    // Over the system bus (org.freedesktop.login1, the caller's session).
    static bool setThroughSessionBus(const QString& device, std::uint32_t level);

    BacklightDisplays(QString folder, SetThroughLoginManager loginManager);

    CGError getActiveDisplayList(std::uint32_t maxDisplays, QList<CGDirectDisplayID>* displays) override;
    bool displayHasCurrentMode(CGDirectDisplayID display) override;
    IOReturn getFloatParameter(CGDirectDisplayID display, const QString& key, float* value) override;
    IOReturn setFloatParameter(CGDirectDisplayID display, const QString& key, float value) override;

private:
    // The device of a display (its position in the list, counted from 1); empty when none.
    QString device(CGDirectDisplayID display) const;
    std::optional<std::uint32_t> readLevel(const QString& device, const char* file) const;

    QString folder_;
    SetThroughLoginManager loginManager_;
    QStringList devices_;
};

} // namespace platform
