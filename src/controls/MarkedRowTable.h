#pragma once

#include "platform/ui/TableView.h"

#include <cstdint>

// What the row tables share: the row their controller marks (row 0 until it says otherwise)
// and no platform selection highlight, set before the first drawing so that it never shows.
template <class Table>
class MarkedRowTable : public Table {
public:
    explicit MarkedRowTable(const platform::ui::Rect& frame = {})
        : Table(frame)
    {
        Table::setSelectionHighlightStyle(platform::ui::TableViewSelectionHighlightStyle::None);
    }

    // Marks a row and redraws; setRowNum only marks (the caller redraws).
    void setSelectRow(int32_t row)
    {
        rowNum_ = row;
        Table::setNeedsDisplay();
    }
    int32_t rowNum() const { return rowNum_; }
    void setRowNum(int32_t row) { rowNum_ = row; }

private:
    int32_t rowNum_ = 0;
};
