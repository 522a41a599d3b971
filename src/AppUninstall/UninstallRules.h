#pragma once

#include "platform/ui/AttributedString.h"
#include "platform/ui/Font.h"

#include <QString>

#include <cstdint>

// What the two application lists and the uninstall windows decide from plain values.
namespace UninstallRules {

// The name as the lists show it: every ".app" removed, wherever it stands.
QString displayName(const QString& name);

// The Applications tab's search: a text other than empty or one blank keeps the names that
// hold it anywhere, ignoring case.
bool applicationMatches(const QString& name, const QString& searchText);
// The uninstaller's search: an empty text keeps everything; otherwise the lower-cased name
// holds the lower-cased text.
bool uninstallMatches(const QString& name, const QString& searchText);

// The select-all box and the check box of a group: "option_no" with nothing ticked,
// "option_yes" with everything (or more, when a filter hides ticked rows), else "option_a".
QString checkImageName(std::size_t ticked, std::size_t total);
// The uninstaller's count label: "Selected: n / t Items" with n in the bold font, or
// "Total: t Item(s)" with nothing ticked.
platform::ui::AttributedString countLabel(std::size_t ticked, std::size_t shown,
                                          const platform::ui::Font& labelFont, const platform::ui::Font& boldFont);

// The end of an uninstall: the space the removed records freed, and how many stayed.
QString resultText(const QString& freedSize, int32_t failed);

} // namespace UninstallRules
