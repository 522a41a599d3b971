#pragma once

#include "platform/ui/Geometry.h"

#include <array>

// Where an image window puts its title-bar strip and buttons: plain numbers in, frames out.
// Frames are in the window's frame view, origin at the bottom left.
struct TitleBarLayout {
    double titleBarHeight = 0;
    double topButtonMoveUp = 0;
    double trafficLightButtonsLeftMargin = 0;
    double trafficLightButtonsTopMargin = 3;
    double trafficLightSeparation = 0;
    double fullScreenButtonTopMargin = 3;
    bool centerTrafficLightButtons = true;
    bool verticalTrafficLightButtons = false;
    bool centerFullScreenButton = false;

    // The strip along the top edge of the frame view.
    platform::ui::Rect containerFrame(const platform::ui::Rect& frameView) const;
    // Close, minimise and zoom, keeping their sizes: side by side from the left margin, or
    // stacked with the close button on top.
    std::array<platform::ui::Rect, 3> trafficLightFrames(const platform::ui::Rect& container,
                                                         const std::array<platform::ui::Rect, 3>& current) const;
    // The full-screen button at `rightMargin` from the strip's right edge.
    platform::ui::Rect fullScreenButtonFrame(const platform::ui::Rect& container, const platform::ui::Rect& current,
                                             double rightMargin) const;
    // The margin that keeps a button where it stands.
    static double rightMarginOf(const platform::ui::Rect& container, const platform::ui::Rect& button);
    // The content view's height below the strip.
    double contentHeight(double windowHeight) const { return windowHeight - titleBarHeight; }
};
