#pragma once

#include "MarkedRowTable.h"

// The list of the Applications, Task Manager and App Uninstaller tabs: a rounded card, 384
// points wide, behind the row its controller marks, in place of the selection highlight.
class BgTableView : public MarkedRowTable<platform::ui::TableView> {
public:
    using MarkedRowTable::MarkedRowTable;

    void drawRow(int row, const platform::ui::Rect& clipRect) override;
};
