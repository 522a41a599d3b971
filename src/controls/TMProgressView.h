#pragma once

#include "BarProgressView.h"

// The light progress track of the Task Manager's CPU and memory load, with a flat bar.
class TMProgressView : public BarProgressView {
public:
    explicit TMProgressView(const platform::ui::Rect& frame);

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
