#pragma once

#include "PrimaryTextIconCell.h"

// The name column of the Startup Items tab: the item's name beside its 24-point icon.
class StartItemImageAndTextCell : public PrimaryTextIconCell {
public:
    StartItemImageAndTextCell() : PrimaryTextIconCell({27, 12, 25, 24}) {}
    std::unique_ptr<platform::ui::Cell> copy() const override
    {
        return std::make_unique<StartItemImageAndTextCell>(*this);
    }

protected:
    platform::ui::Rect textRect(const platform::ui::Rect& frame) const override;
    platform::ui::AttributedString::Attributes textAttributes() const override;
};
