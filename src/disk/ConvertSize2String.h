#pragma once

#include <QString>

#include <cstdint>

// A byte count in steps of 1000 with two decimals ("999 byte", "1.50 MB", "500.11 GB"); the
// division is done in single precision, as the volume list has always shown it.
QString convertSize2String(uint64_t bytes);
