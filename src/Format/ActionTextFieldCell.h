#pragma once

#include "CustemTextFieldCell.h"

// A second black-caret cell for the edited fields of the format flow.
class ActionTextFieldCell : public CustemTextFieldCell {
public:
    using CustemTextFieldCell::CustemTextFieldCell;
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<ActionTextFieldCell>(*this); }

    platform::ui::FieldEditor& setUpFieldEditorAttributes(platform::ui::FieldEditor& editor) override;
};
