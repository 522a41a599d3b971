#pragma once

#include "platform/ui/TextFieldCell.h"

// The cell of an edited text field whose insertion point must be black whatever the field's
// colours.
class CustemTextFieldCell : public platform::ui::TextFieldCell {
public:
    using TextFieldCell::TextFieldCell;
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<CustemTextFieldCell>(*this); }

    platform::ui::FieldEditor& setUpFieldEditorAttributes(platform::ui::FieldEditor& editor) override;
};
