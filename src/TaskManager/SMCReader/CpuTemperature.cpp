#include "CpuTemperature.h"

#include "SMCReader.h"
#include "platform/text/StringFormat.h"

std::optional<float> cpuTemperature(SMCReader& reader)
{
    std::optional<double> number;
    if (!reader.readKey("TC0P", number))
        return std::nullopt;
    const float celsius = float(number.value_or(0.0));
    return celsius > 100.0f ? 0.0f : celsius;
}

QString temperatureText(float celsius)
{
    return platform::stringWithFormat("%.1f\u00b0C", double(celsius));
}
