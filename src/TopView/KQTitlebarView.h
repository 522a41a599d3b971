#pragma once

#include "platform/ui/AttributedString.h"
#include "platform/ui/BezierPath.h"
#include "platform/ui/View.h"

class TCImageWindow;

// The default drawing of an image window's title bar: white under a rounded top (or what the
// window's drawing block draws), then the title when the window shows it.
class KQTitlebarView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
    // Where the title goes and how it looks; either output may be null.
    void getTitleFrame(platform::ui::Rect* frame, platform::ui::AttributedString::Attributes* attributes,
                       const TCImageWindow& window) const;
    // A double click miniaturises the window when the user's defaults say so.
    void mouseUp(const platform::ui::Event& event) override;
};

// The rectangle with its two top corners rounded by 4 points.
platform::ui::BezierPath roundedTopPath(const platform::ui::Rect& rect);
