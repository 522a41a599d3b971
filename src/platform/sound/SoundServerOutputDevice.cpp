#include "SoundServerOutputDevice.h"

#include "SoundServerReplies.h"

#include "platform/commands/Subprocess.h"
#include "platform/log/SystemLog.h"

#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

const QString kWpctl = QStringLiteral("wpctl");
const QString kPactl = QStringLiteral("pactl");
const QString kWpctlSink = QStringLiteral("@DEFAULT_AUDIO_SINK@");
const QString kPactlSink = QStringLiteral("@DEFAULT_SINK@");
constexpr int kTimeoutMs = 2000;
constexpr double kPulseNormalVolume = 65536.0;

float clampedToScale(float volume)
{
    return std::clamp(volume, 0.0f, 1.0f);
}

} // namespace

SoundServerOutputDevice::SoundServerOutputDevice(Tool tool, Run run)
    : tool_(tool)
    , run_(std::move(run))
{
}

std::unique_ptr<SoundServerOutputDevice> SoundServerOutputDevice::detect(const Run& run)
{
    for (Tool tool : {Tool::Wpctl, Tool::Pactl}) {
        auto device = std::make_unique<SoundServerOutputDevice>(tool, run);
        if (device->volume())
            return device;
    }
    return nullptr;
}

std::optional<QByteArray> SoundServerOutputDevice::runProgram(const QStringList& arguments)
{
    const QString program = arguments.isEmpty() ? QString() : QStandardPaths::findExecutable(arguments.first());
    if (program.isEmpty())
        return std::nullopt;
    const Subprocess process{.executable = QFile::encodeName(program),
                             .arguments = Subprocess::argumentVector(program, arguments.mid(1)),
                             // pactl translates its labels and its "yes" and "no"; the replies are read in English.
                             .environment = Subprocess::currentEnvironmentWith({"LC_ALL=C"}),
                             .error = Subprocess::Stream::Discarded,
                             .timeout = std::chrono::milliseconds(kTimeoutMs)};
    const Subprocess::Result result = process.run();
    if (result.timedOut)
        NSLog(QStringLiteral("%1 gave no answer within %2 ms").arg(arguments.first()).arg(kTimeoutMs));
    if (result.timedOut || result.exitStatus != 0)
        return std::nullopt;
    return result.standardOutput;
}

std::optional<float> SoundServerOutputDevice::volume()
{
    if (tool_ == Tool::Wpctl) {
        const std::optional<QByteArray> output = run_({kWpctl, QStringLiteral("get-volume"), kWpctlSink});
        const auto reply = output ? SoundServerReplies::parseWpctlVolume(*output) : std::nullopt;
        return reply ? std::optional(clampedToScale(reply->volume)) : std::nullopt;
    }
    const std::optional<QByteArray> output = run_({kPactl, QStringLiteral("get-sink-volume"), kPactlSink});
    const std::optional<float> volume = output ? SoundServerReplies::parsePactlVolume(*output) : std::nullopt;
    return volume ? std::optional(clampedToScale(*volume)) : std::nullopt;
}

std::optional<bool> SoundServerOutputDevice::isMuted()
{
    if (tool_ == Tool::Wpctl) {
        const std::optional<QByteArray> output = run_({kWpctl, QStringLiteral("get-volume"), kWpctlSink});
        const auto reply = output ? SoundServerReplies::parseWpctlVolume(*output) : std::nullopt;
        return reply ? std::optional(reply->muted) : std::nullopt;
    }
    const std::optional<QByteArray> output = run_({kPactl, QStringLiteral("get-sink-mute"), kPactlSink});
    return output ? SoundServerReplies::parsePactlMute(*output) : std::nullopt;
}

bool SoundServerOutputDevice::setVolume(float volume)
{
    if (!(volume >= 0.0f && volume <= 1.0f))
        return false;
    if (tool_ == Tool::Wpctl)
        return run_({kWpctl, QStringLiteral("set-volume"), kWpctlSink, QString::number(double(volume), 'f', 4)})
            .has_value();
    const auto raw = qint64(std::lround(double(volume) * kPulseNormalVolume));
    return run_({kPactl, QStringLiteral("set-sink-volume"), kPactlSink, QString::number(raw)}).has_value();
}

bool SoundServerOutputDevice::setMuted(bool muted)
{
    const QString flag = muted ? QStringLiteral("1") : QStringLiteral("0");
    if (tool_ == Tool::Wpctl)
        return run_({kWpctl, QStringLiteral("set-mute"), kWpctlSink, flag}).has_value();
    return run_({kPactl, QStringLiteral("set-sink-mute"), kPactlSink, flag}).has_value();
}

} // namespace platform
