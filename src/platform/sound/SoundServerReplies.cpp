#include "SoundServerReplies.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cmath>

namespace platform::SoundServerReplies {

namespace {

constexpr double kPulseNormalVolume = 65536.0;

// The text after "<label>:" on the first line that starts with it.
std::optional<QString> field(const QByteArray& output, const char* label)
{
    const QByteArray prefix = QByteArray(label) + ':';
    for (const QByteArray& line : output.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith(prefix))
            return QString::fromUtf8(trimmed.mid(prefix.size())).trimmed();
    }
    return std::nullopt;
}

} // namespace

std::optional<WpctlVolume> parseWpctlVolume(const QByteArray& output)
{
    const std::optional<QString> text = field(output, "Volume");
    if (!text)
        return std::nullopt;
    static const QRegularExpression pattern(QStringLiteral("^(\\d+(?:\\.\\d+)?)(\\s+\\[MUTED\\])?$"));
    const QRegularExpressionMatch match = pattern.match(*text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double volume = match.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(volume))
        return std::nullopt;
    return WpctlVolume{float(volume), match.capturedLength(2) > 0};
}

std::optional<float> parsePactlVolume(const QByteArray& output)
{
    const std::optional<QString> text = field(output, "Volume");
    if (!text)
        return std::nullopt;
    // "front-left: 26214 /  40% / -23.88 dB,   front-right: ..."
    static const QRegularExpression channel(QStringLiteral(":\\s*(\\d{1,10})\\s*/\\s*\\d+%"));
    std::optional<double> loudest;
    for (auto it = channel.globalMatch(*text); it.hasNext();) {
        const double raw = it.next().captured(1).toDouble();
        loudest = std::max(loudest.value_or(0.0), raw);
    }
    if (!loudest)
        return std::nullopt;
    return float(*loudest / kPulseNormalVolume);
}

std::optional<bool> parsePactlMute(const QByteArray& output)
{
    const std::optional<QString> text = field(output, "Mute");
    if (text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("no"))
        return false;
    return std::nullopt;
}

} // namespace platform::SoundServerReplies
