#pragma once

#include "IconCell.h"

// A 16-point icon with the cell's own value drawn beside it by the platform.
class AImageAndTextCell : public IconCell {
public:
    AImageAndTextCell() : IconCell({19, 3, 17, 16}) {}
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<AImageAndTextCell>(*this); }

    void drawWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;
};
