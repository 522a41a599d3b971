#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// The device identifiers the volume commands accept ("disk2", "disk2s1", "disk3s1s1"). Anything
// else (a name, a path, an option) never reaches a command in an identifier's place.
bool isDeviceIdentifier(const QString& identifier);

// Whether the command line, as it would have been formatted for the shell, fits its caller's
// buffer with the terminating zero. A line that does not fit is not run at all.
bool diskLineFits(const QByteArray& line, std::size_t bufferSize);

inline constexpr std::size_t kShortDiskLineBuffer = 64; // info, eject, mount and unmount lines
inline constexpr std::size_t kEraseLineBuffer = 128;
