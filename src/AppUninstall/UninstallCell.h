#pragma once

#include "controls/IconCell.h"

// An icon with the cell's own value beside it, centred in height half a point high and 8
// points right of where a text cell would put it.
class UninstallCell : public IconCell {
public:
    UninstallCell() : IconCell({27, 3, 24, 24}) {}
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<UninstallCell>(*this); }

    platform::ui::Rect titleRectForBounds(const platform::ui::Rect& bounds) const override;
    void drawInteriorWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;
    void drawWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;
};
