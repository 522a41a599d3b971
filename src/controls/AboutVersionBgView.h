#pragma once

#include "platform/ui/View.h"

// The grey rounded band behind the About box's version.
class AboutVersionBgView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
