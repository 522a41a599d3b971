#pragma once

#include "platform/ui/View.h"

// A dark translucent rounded field behind a disk's text.
class DiskTextFiledView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
