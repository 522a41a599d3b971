#pragma once

#include "MarkedRowTable.h"

// The table of the Startup Items tab: a pale rounded card, 40 points high, behind every row.
// It keeps a marked row like the other lists, but its drawing does not use it.
class StartUpItemBgTableView : public MarkedRowTable<platform::ui::TableView> {
public:
    using MarkedRowTable::MarkedRowTable;

    void drawRow(int row, const platform::ui::Rect& clipRect) override;
};
