#pragma once

#include "platform/ui/View.h"

// A white rounded panel, almost opaque.
class BaseBgView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
