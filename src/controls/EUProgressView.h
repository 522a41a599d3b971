#pragma once

#include "BarProgressView.h"

// The dark translucent progress track with a blue gradient bar (uninstaller and Downloads
// cleaner progress).
class EUProgressView : public BarProgressView {
public:
    explicit EUProgressView(const platform::ui::Rect& frame);

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
