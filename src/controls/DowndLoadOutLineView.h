#pragma once

#include "MarkedRowTable.h"

#include "platform/ui/OutlineView.h"

// The outline of the related-files window: a plain band across the row its controller marks,
// in place of the selection highlight.
class DowndLoadOutLineView : public MarkedRowTable<platform::ui::OutlineView> {
public:
    using MarkedRowTable::MarkedRowTable;

    void drawRow(int row, const platform::ui::Rect& clipRect) override;
};
