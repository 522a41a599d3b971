#pragma once

#include "platform/ui/View.h"

// A faint white rounded outline around the power buttons.
class ShoutDownBgView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
