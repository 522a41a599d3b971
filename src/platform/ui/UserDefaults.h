#pragma once

#include <QString>

namespace platform::ui {

// A value of the user's global defaults (the simulated Mac's
// ~/Library/Preferences/.GlobalPreferences.plist), read at each request; false when the file
// or the key is missing.
bool globalUserDefaultBool(const QString& key);

} // namespace platform::ui
