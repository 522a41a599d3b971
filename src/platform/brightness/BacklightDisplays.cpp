#include "BacklightDisplays.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace platform {

namespace {
constexpr qint64 kLevelFileLimit = 64;
} // namespace

QStringList BacklightDisplays::devicesIn(const QString& folder)
{
    // The entries are links into the device tree; names never hold a slash.
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

bool BacklightDisplays::setThroughSessionBus(const QString& device, std::uint32_t level)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1/session/auto"),
        QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("SetBrightness"));
    call << QStringLiteral("backlight") << device << level;
    return QDBusConnection::systemBus().call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

BacklightDisplays::BacklightDisplays(QString folder, SetThroughLoginManager loginManager)
    : folder_(std::move(folder))
    , loginManager_(std::move(loginManager))
    , devices_(devicesIn(folder_))
{
}

QString BacklightDisplays::device(CGDirectDisplayID display) const
{
    return display >= 1 && display <= std::uint32_t(devices_.size()) ? devices_[int(display - 1)] : QString();
}

std::optional<std::uint32_t> BacklightDisplays::readLevel(const QString& device, const char* file) const
{
    QFile level(folder_ + QLatin1Char('/') + device + QLatin1Char('/') + QLatin1String(file));
    if (!level.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const uint value = level.read(kLevelFileLimit).trimmed().toUInt(&ok);
    return ok ? std::optional<std::uint32_t>(value) : std::nullopt;
}

CGError BacklightDisplays::getActiveDisplayList(std::uint32_t maxDisplays, QList<CGDirectDisplayID>* displays)
{
    displays->clear();
    for (std::uint32_t i = 1; i <= std::uint32_t(devices_.size()) && i <= maxDisplays; ++i)
        displays->append(i);
    return kCGErrorSuccess;
}

bool BacklightDisplays::displayHasCurrentMode(CGDirectDisplayID display)
{
    return !device(display).isEmpty();
}

IOReturn BacklightDisplays::getFloatParameter(CGDirectDisplayID display, const QString& key, float* value)
{
    const QString name = device(display);
    if (name.isEmpty() || key != kIODisplayBrightnessKey)
        return kIOReturnUnsupported;
    const std::optional<std::uint32_t> level = readLevel(name, "brightness");
    const std::optional<std::uint32_t> maximum = readLevel(name, "max_brightness");
    if (!level || !maximum || *maximum == 0)
        return kIOReturnError;
    *value = std::min(1.0f, float(double(*level) / double(*maximum)));
    return kIOReturnSuccess;
}

IOReturn BacklightDisplays::setFloatParameter(CGDirectDisplayID display, const QString& key, float value)
{
    const QString name = device(display);
    if (name.isEmpty() || key != kIODisplayBrightnessKey || !(value >= 0.0f && value <= 1.0f))
        return kIOReturnUnsupported;
    const std::optional<std::uint32_t> maximum = readLevel(name, "max_brightness");
    if (!maximum)
        return kIOReturnError;
    const auto level = std::uint32_t(std::lround(double(value) * *maximum));
    QFile file(folder_ + QLatin1Char('/') + name + QStringLiteral("/brightness"));
    if (QFileInfo(file).isWritable() && file.open(QIODevice::WriteOnly)) {
        const QByteArray text = QByteArray::number(level);
        return file.write(text) == text.size() ? kIOReturnSuccess : kIOReturnError;
    }
    if (loginManager_ && loginManager_(name, level))
        return kIOReturnSuccess;
    return kIOReturnNotPermitted;
}

} // namespace platform
