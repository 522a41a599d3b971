#pragma once

#include "platform/ui/View.h"

// The blue marker beside the chosen tool of the start menu.
class MainTypeSelectView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
