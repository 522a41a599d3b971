#pragma once

#include <QUrl>

namespace platform::ui {

// Opens the address with the graphical session's handler for it. False without a graphical
// application object or when no handler took it.
bool openUrlOnDesktop(const QUrl& url);

} // namespace platform::ui
