#pragma once

#include <QString>

// Asks the shell to build and show the start-menu window.
inline const QString kReOpenWindowNotification = QStringLiteral("reOpenWindow");
