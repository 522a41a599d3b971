#pragma once

#include "platform/ui/View.h"

// The light grey card behind the Cleanup tab's Trash card.
class CleanCellBgView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
