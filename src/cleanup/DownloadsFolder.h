#pragma once

#include <QString>

// The user's Downloads folder, the one Clean and Rescan scan: below 10.10 "/Users/<login>/Downloads"
// of the Mac, from 10.10 on the last of the user's Downloads folders (the real XDG one here).
QString downloadsFolder();
