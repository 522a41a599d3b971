#pragma once

#include "TaskManagerInfo.h"

#include "platform/ui/AttributedString.h"
#include "platform/ui/Font.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// What the Task Manager decides about its rows and their checkboxes.
namespace TaskSelection {

// The name as the list shows it: every ".app" removed, wherever it stands.
QString displayName(const QString& name);

uint32_t selectedCount(const std::vector<TaskManagerInfo>& rows);

// "Selected: <selected> / <total> Tasks".
QString selectionText(uint32_t selected, std::size_t total);
// Where the selected count stands in that text: the first occurrence of its digits.
platform::ui::TextRange selectedCountRange(const QString& text, uint32_t selected);
// The selection label: the text in the label's font, the selected count in the bold font.
platform::ui::AttributedString selectionLabelText(uint32_t selected, std::size_t total,
                                                  const platform::ui::Font& labelFont,
                                                  const platform::ui::Font& boldFont);

// The process identifier of a force quit's decimal text: nothing unless the whole text is a
// decimal number from 2 (below are the kernel's own processes and init) to the largest
// 32-bit identifier.
std::optional<int32_t> processIdentifier(const QString& text);

// The second word of `ps`'s output once its header line's text is removed, or "unknown" when
// there are fewer than two words.
QString processUsage(const QByteArray& psOutput);

// The marked rows taken out of `rows` in their order; the others stay, in theirs.
std::vector<TaskManagerInfo> takeSelected(std::vector<TaskManagerInfo>& rows);

} // namespace TaskSelection
