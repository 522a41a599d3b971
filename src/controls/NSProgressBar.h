#pragma once

#include "platform/ui/View.h"

// The blue bar of EUProgressView: a rounded left-to-right gradient. A view of this program,
// not the platform's progress indicator.
class NSProgressBar : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
