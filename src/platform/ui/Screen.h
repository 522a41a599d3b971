#pragma once

#include "Geometry.h"

#include <optional>
#include <vector>

class QScreen;

namespace platform::ui {

// A display, in screen coordinates (origin at the bottom left of the primary display, y up).
class Screen {
public:
    // The screen of the key window, else the primary one; none without a display.
    static std::optional<Screen> mainScreen();
    static std::vector<Screen> screens();
    // The screen that holds most of the rectangle; none when it lies on no screen.
    static std::optional<Screen> screenForRect(const Rect& rect);

    const Rect& frame() const { return frame_; }
    // The frame less the panels and docks.
    const Rect& visibleFrame() const { return visibleFrame_; }
    // Points are pixels here: the factors are 1.
    double userSpaceScaleFactor() const { return 1.0; }

    static Screen fromQScreen(const QScreen& screen);
    bool operator==(const Screen& other) const = default;

private:
    Rect frame_;
    Rect visibleFrame_;
};

} // namespace platform::ui
