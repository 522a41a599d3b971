#pragma once

#include <QString>

#include <optional>

class SMCReader;

// The processor's temperature, "TC0P" read as a number: nothing when the read fails (the
// monitor then keeps what it shows); a text that is no number counts as 0.0, and a reading
// above 100.0 as 0.0.
std::optional<float> cpuTemperature(SMCReader& reader);

// "%.1f°C".
QString temperatureText(float celsius);
