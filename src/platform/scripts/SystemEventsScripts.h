#pragma once

#include <QString>

namespace platform {

class DesktopAppearance;
class PreferenceDomains;

// What System Events would do for the program's own scripts: the Dock's autohide (kept in
// "com.apple.dock") and dark mode ("AppleInterfaceStyle" of the global domain, and the
// desktop's colour scheme). Other scripts change nothing.
class SystemEventsScripts {
public:
    SystemEventsScripts(PreferenceDomains& preferences, DesktopAppearance& appearance)
        : preferences_(preferences), appearance_(appearance) {}

    // Whether the script asked for something it knows.
    bool perform(const QString& script);

private:
    PreferenceDomains& preferences_;
    DesktopAppearance& appearance_;
};

} // namespace platform
