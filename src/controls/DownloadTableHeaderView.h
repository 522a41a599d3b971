#pragma once

#include "platform/ui/View.h"

// The Downloads cleaner's column header: a faint rounded band with a rule under it and a
// divider between the name and size columns.
class DownloadTableHeaderView : public platform::ui::View {
public:
    using View::View;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
};
