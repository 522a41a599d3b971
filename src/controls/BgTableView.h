#pragma once

#include "platform/ui/TableView.h"

#include <cstdint>

// The list of the Applications, Task Manager and App Uninstaller tabs: a rounded card, 384
// points wide, behind the row its controller marks, in place of the selection highlight.
// Row 0 is marked until the controller says otherwise.
class BgTableView : public platform::ui::TableView {
public:
    explicit BgTableView(const platform::ui::Rect& frame = {});

    // Marks a row and redraws; setRowNum only marks (the caller redraws).
    void setSelectRow(int32_t row);
    int32_t rowNum() const { return rowNum_; }
    void setRowNum(int32_t row) { rowNum_ = row; }

    void drawRow(int row, const platform::ui::Rect& clipRect) override;

private:
    int32_t rowNum_ = 0;
};
