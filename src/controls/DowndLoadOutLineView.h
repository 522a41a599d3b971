#pragma once

#include "platform/ui/OutlineView.h"

#include <cstdint>

// The outline of the related-files window: a plain band across the row its controller marks,
// in place of the selection highlight. Row 0 is marked until the controller says otherwise.
class DowndLoadOutLineView : public platform::ui::OutlineView {
public:
    explicit DowndLoadOutLineView(const platform::ui::Rect& frame = {});

    void setSelectRow(int32_t row);
    int32_t rowNum() const { return rowNum_; }
    void setRowNum(int32_t row) { rowNum_ = row; }

    void drawRow(int row, const platform::ui::Rect& clipRect) override;

private:
    int32_t rowNum_ = 0;
};
