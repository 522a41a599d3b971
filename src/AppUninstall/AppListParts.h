#pragma once

#include "AMSearchField.h"

#include "platform/ui/Button.h"
#include "platform/ui/ButtonCell.h"
#include "platform/ui/TextField.h"

#include <memory>

// The pieces the application lists and their windows build alike.
namespace AppListParts {

std::unique_ptr<platform::ui::TextField> label(const platform::ui::Rect& frame, const QString& text,
                                               const platform::ui::Font& font,
                                               platform::ui::TextAlignment alignment = platform::ui::TextAlignment::Left);
// The rounded search field with its hidden clear button at its right end; the controller
// gives both their actions.
std::unique_ptr<AMSearchField> searchField(const platform::ui::Rect& frame);
std::unique_ptr<platform::ui::Button> clearButton(const platform::ui::Rect& searchFrame);

} // namespace AppListParts
