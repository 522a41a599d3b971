#include "ThermalZones.h"

#include "platform/files/RegularFile.h"

#include <QDir>

#include <algorithm>
#include <charconv>
#include <vector>

namespace platform {

std::optional<int> cpuZoneRank(QByteArrayView type)
{
    const QByteArray name = type.trimmed().toByteArray().toLower();
    if (name == "x86_pkg_temp")
        return 0;
    if (name.contains("cpu") || name.contains("coretemp") || name.contains("k10temp")
        || name.contains("zenpower") || name.contains("pkg") || name.contains("package"))
        return 1;
    if (name == "acpitz")
        return 2;
    return std::nullopt;
}

std::optional<double> parseZoneTemperature(QByteArrayView text)
{
    text = text.trimmed();
    long long millidegrees = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), millidegrees);
    if (text.isEmpty() || error != std::errc() || end != text.end())
        return std::nullopt;
    return double(millidegrees) / 1000.0;
}

std::optional<double> cpuZoneTemperature(const QString& root)
{
    struct Zone {
        int rank;
        int number;
        QString path;
    };
    std::vector<Zone> zones;
    const QStringList entries = QDir(root).entryList({QStringLiteral("thermal_zone*")},
                                                     QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& entry : entries) {
        bool numbered = false;
        const int number = entry.mid(12).toInt(&numbered);
        if (!numbered)
            continue;
        const QString path = root + QLatin1Char('/') + entry;
        const auto type = readRegularFile(path + QStringLiteral("/type"), 256);
        if (const auto rank = type ? cpuZoneRank(*type) : std::nullopt)
            zones.push_back({*rank, number, path});
    }
    std::sort(zones.begin(), zones.end(), [](const Zone& a, const Zone& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.number < b.number;
    });
    for (const Zone& zone : zones) {
        const auto text = readRegularFile(zone.path + QStringLiteral("/temp"), 256);
        if (const auto celsius = text ? parseZoneTemperature(*text) : std::nullopt)
            return celsius;
    }
    return std::nullopt;
}

} // namespace platform
