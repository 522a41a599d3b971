#pragma once

#include "platform/ui/Color.h"

// The two looks of attached windows, by the OS version number (major × 100 + minor).
class AttachedWindowStyle {
public:
    enum class Variant {
        Light, // the dialogs' window
        Dark,  // the start menu's window
    };

    static platform::ui::Color fillColor(Variant variant, int systemVersion);
    static platform::ui::Color borderColor(Variant variant, int systemVersion);
    // The blur asked of the window server behind the window; 0 for none.
    static int blurRadius(int systemVersion);
};
