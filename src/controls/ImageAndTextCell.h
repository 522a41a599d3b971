#pragma once

#include "PrimaryTextIconCell.h"

// The name column of the Applications tab: the name beside a 32-point icon, white while the
// row is highlighted.
class ImageAndTextCell : public PrimaryTextIconCell {
public:
    ImageAndTextCell() : PrimaryTextIconCell({35, 8, 32, 32}) {}
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<ImageAndTextCell>(*this); }

protected:
    platform::ui::Rect textRect(const platform::ui::Rect& frame) const override;
    platform::ui::AttributedString::Attributes textAttributes() const override;
};
