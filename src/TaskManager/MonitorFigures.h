#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <optional>

class SSMemoryInfo;

// The CPU load of one sample: the mean of "user" + "system" over the processors, held to 0.0
// to 1.0. Nothing when there is no sample, or its entry count is not `cpuCount` (or 0).
std::optional<double> cpuLoadFigure(const std::optional<QList<QVariantMap>>& sample, uint32_t cpuCount);

// Used memory as a percentage of the total; 0 when the total is 0.
float memoryPercent(const SSMemoryInfo& info);

// A percentage as the monitor shows it: "%.1f%%".
QString percentText(double percent);
