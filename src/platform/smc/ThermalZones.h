#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace platform {

// How well a thermal zone's type names the processor: 0 for the package sensor
// ("x86_pkg_temp"), 1 for another processor sensor ("cpu-thermal", "coretemp", "k10temp", ...),
// 2 for the ACPI zone ("acpitz"), which is often the board rather than the processor; nothing
// for any other zone (battery, Wi-Fi, GPU, ...).
std::optional<int> cpuZoneRank(QByteArrayView type);

// A zone's "temp" text, in millidegrees Celsius, in degrees; nothing for another text.
std::optional<double> parseZoneTemperature(QByteArrayView text);

// The processor's temperature in degrees Celsius from the "thermal_zoneN" folders under `root`
// (normally /sys/class/thermal): the best-ranked zone whose temperature reads, the lowest
// number first among equals; nothing when there is none.
std::optional<double> cpuZoneTemperature(const QString& root);

} // namespace platform
