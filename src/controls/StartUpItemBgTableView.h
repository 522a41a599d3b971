#pragma once

#include "platform/ui/TableView.h"

#include <cstdint>

// The table of the Startup Items tab: a pale rounded card, 40 points high, behind every row.
// It keeps a marked row like the other lists, but its drawing does not use it.
class StartUpItemBgTableView : public platform::ui::TableView {
public:
    explicit StartUpItemBgTableView(const platform::ui::Rect& frame = {});

    void setSelectRow(int32_t row);
    int32_t rowNum() const { return rowNum_; }
    void setRowNum(int32_t row) { rowNum_ = row; }

    void drawRow(int row, const platform::ui::Rect& clipRect) override;

private:
    int32_t rowNum_ = 0;
};
