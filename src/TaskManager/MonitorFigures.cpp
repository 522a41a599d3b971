#include "MonitorFigures.h"

#include "SSMemoryInfo.h"
#include "platform/text/StringFormat.h"

#include <algorithm>

std::optional<double> cpuLoadFigure(const std::optional<QList<QVariantMap>>& sample, uint32_t cpuCount)
{
    if (!sample || cpuCount == 0 || sample->size() != qsizetype(cpuCount))
        return std::nullopt;
    double sum = 0;
    for (const QVariantMap& entry : *sample)
        sum += double(entry.value(QStringLiteral("user")).toFloat()) + entry.value(QStringLiteral("system")).toFloat();
    double load = sum / cpuCount;
    load = std::min(load, 1.0);
    load = std::max(load, 0.0);
    return load;
}

float memoryPercent(const SSMemoryInfo& info)
{
    if (info.totalMemory() == 0)
        return 0.0f;
    return float(double(info.usedMomory()) / double(info.totalMemory()) * 100.0);
}

QString percentText(double percent)
{
    return platform::stringWithFormat("%.1f%%", percent);
}
