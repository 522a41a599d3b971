#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/View.h"

// The Task Manager's load bar: blue while short, amber from 160 points on. The switch goes by
// the bar's width in points, not by the share it shows.
class TMProgressBar : public platform::ui::View {
public:
    using View::View;

    static platform::ui::Color colorForWidth(double width);

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
