#pragma once

#include "platform/ui/View.h"

// The translucent white band, 112 points high, at the bottom of a disk box.
class DiskLowView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
