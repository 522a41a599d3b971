#include "platform/sound/SoundServerOutputDevice.h"
#include "platform/sound/SoundServerReplies.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

using namespace platform;
using namespace Qt::StringLiterals;

namespace {

// Answers each command line as captured from the servers, and records the lines.
struct CapturedServer {
    QHash<QString, QByteArray> answers;
    QStringList asked;
    SoundServerOutputDevice::Run run()
    {
        return [this](const QStringList& arguments) -> std::optional<QByteArray> {
            const QString line = arguments.join(u' ');
            asked << line;
            return answers.contains(line) ? std::optional(answers.value(line)) : std::nullopt;
        };
    }
};

const QString kWpctlGet = u"wpctl get-volume @DEFAULT_AUDIO_SINK@"_s;
const QString kPactlGet = u"pactl get-sink-volume @DEFAULT_SINK@"_s;
const QByteArray kPactlHalf = "Volume: front-left: 32768 /  50% / -18.06 dB,   front-right: 32768 /  50% / -18.06 dB\n"
                              "        balance 0.00\n";

} // namespace

TEST(SoundServerRepliesTest, ReadsWhatWpctlAndPactlPrintAndRefusesTheRest)
{
    using namespace SoundServerReplies;
    const struct {
        QByteArray output;
        std::optional<float> volume;
        bool muted;
    } wpctl[] = {
        {"Volume: 0.40\n", 0.40f, false},
        {"Volume: 0.00 [MUTED]\n", 0.0f, true},
        {"Volume: 1.53\n", 1.53f, false}, // above 100 %
        {"Volume: 1e999\n", std::nullopt, false},
        {"Volume: -0.20\n", std::nullopt, false},
        {"Volume: 0.40 [muted]\n", std::nullopt, false},
        {"Object not found\n", std::nullopt, false},
        {"", std::nullopt, false},
    };
    for (const auto& c : wpctl) {
        const std::optional<WpctlVolume> read = parseWpctlVolume(c.output);
        ASSERT_EQ(read.has_value(), c.volume.has_value()) << c.output.constData();
        if (read) {
            EXPECT_FLOAT_EQ(read->volume, *c.volume) << c.output.constData();
            EXPECT_EQ(read->muted, c.muted) << c.output.constData();
        }
    }
    const struct {
        QByteArray output;
        std::optional<float> volume;
    } pactl[] = {
        {kPactlHalf, 0.5f},
        {"Volume: front-left: 65536 / 100% / 0.00 dB,   front-right: 98304 / 150% / 10.57 dB\n", 1.5f},
        {"Volume: mono: 0 /   0% / -inf dB\n", 0.0f},
        {"Volume: front-left: lots / 50%\n", std::nullopt},
        {"Failed to get sink volume: No such entity\n", std::nullopt},
    };
    for (const auto& c : pactl)
        EXPECT_EQ(parsePactlVolume(c.output), c.volume) << c.output.constData();
    EXPECT_EQ(parsePactlMute("Mute: yes\n"), true);
    EXPECT_EQ(parsePactlMute("Mute: no\n"), false);
    EXPECT_EQ(parsePactlMute("Mute: maybe\n"), std::nullopt);
}

TEST(SoundServerOutputDeviceTest, TheFirstServerThatAnswersIsUsedAndItsLevelReportedWithinTheScale)
{
    const struct {
        const char* name;
        QHash<QString, QByteArray> answers;
        std::optional<float> volume; // none: no server found
        std::optional<bool> muted;
    } cases[] = {
        {"pipewire above 100 %", {{kWpctlGet, "Volume: 1.50 [MUTED]\n"}}, 1.0f, true},
        {"pulseaudio only",
         {{kPactlGet, kPactlHalf}, {u"pactl get-sink-mute @DEFAULT_SINK@"_s, "Mute: no\n"}}, 0.5f, false},
        {"wpctl speaks nonsense", {{kWpctlGet, "Volume: loud\n"}}, std::nullopt, std::nullopt},
        {"neither", {}, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        CapturedServer server{c.answers, {}};
        const std::unique_ptr<SoundServerOutputDevice> device = SoundServerOutputDevice::detect(server.run());
        ASSERT_EQ(device != nullptr, c.volume.has_value()) << c.name;
        if (device) {
            EXPECT_EQ(device->volume(), c.volume) << c.name;
            EXPECT_EQ(device->isMuted(), c.muted) << c.name;
        }
    }
}

TEST(SoundServerOutputDeviceTest, ChangesGoOutAsArgumentVectorsAndALevelOffTheScaleIsNotSent)
{
    for (auto tool : {SoundServerOutputDevice::Tool::Wpctl, SoundServerOutputDevice::Tool::Pactl}) {
        CapturedServer server;
        SoundServerOutputDevice device(tool, server.run());
        device.setVolume(0.25f);
        device.setMuted(true);
        EXPECT_FALSE(device.setVolume(1.2f));
        EXPECT_FALSE(device.setVolume(std::numeric_limits<float>::quiet_NaN()));
        const QStringList expected = tool == SoundServerOutputDevice::Tool::Wpctl
            ? QStringList{u"wpctl set-volume @DEFAULT_AUDIO_SINK@ 0.2500"_s, u"wpctl set-mute @DEFAULT_AUDIO_SINK@ 1"_s}
            : QStringList{u"pactl set-sink-volume @DEFAULT_SINK@ 16384"_s, u"pactl set-sink-mute @DEFAULT_SINK@ 1"_s};
        EXPECT_EQ(server.asked, expected);
    }
}

// pactl's labels follow the locale: the servers are always asked in the C locale.
TEST(SoundServerOutputDeviceTest, ServersAnswerInTheCLocale)
{
    QTemporaryDir folder;
    QFile pactl(folder.filePath(u"pactl"_s));
    ASSERT_TRUE(pactl.open(QIODevice::WriteOnly) && pactl.write("#!/bin/sh\necho \"Mute: $LC_ALL\"\n") > 0);
    pactl.close();
    pactl.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH"), locale = qgetenv("LC_ALL");
    qputenv("PATH", QFile::encodeName(folder.path()));
    qputenv("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(SoundServerOutputDevice::runProgram({u"pactl"_s, u"get-sink-mute"_s}), QByteArray("Mute: C\n"));
    qputenv("PATH", path);
    locale.isNull() ? qunsetenv("LC_ALL") : qputenv("LC_ALL", locale);
}
