#include "platform/brightness/BacklightDisplays.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace platform;
using namespace Qt::StringLiterals;

TEST(BacklightDisplaysTest, EachBacklightIsADisplayWrittenDirectlyOrThroughTheLoginManager)
{
    const QString folder = test::makeTemporaryFolder(u"backlight"_s);
    const struct {
        const char* name;
        QByteArray brightness; // empty: no such file (as one this user may not write)
        QByteArray maximum;
    } devices[] = {{"acpi_video0", "", "15\n"}, {"intel_backlight", "480\n", "960\n"}, {"zero", "3\n", "0\n"}};
    for (const auto& d : devices) {
        const QString device = folder + u'/' + QString::fromLatin1(d.name);
        QDir().mkpath(device);
        if (!d.brightness.isEmpty())
            test::writeFile(device + u"/brightness"_s, d.brightness);
        test::writeFile(device + u"/max_brightness"_s, d.maximum);
    }
    QStringList viaLoginManager;
    BacklightDisplays displays(folder, [&](const QString& device, std::uint32_t level) {
        viaLoginManager << u"%1=%2"_s.arg(device).arg(level);
        return true;
    });
    QList<CGDirectDisplayID> active;
    EXPECT_EQ(displays.getActiveDisplayList(100, &active), kCGErrorSuccess);
    EXPECT_EQ(active, (QList<CGDirectDisplayID>{1, 2, 3}));

    float level = -1;
    EXPECT_NE(displays.getFloatParameter(1, kIODisplayBrightnessKey, &level), kIOReturnSuccess) << "no level file";
    EXPECT_EQ(displays.getFloatParameter(2, kIODisplayBrightnessKey, &level), kIOReturnSuccess);
    EXPECT_FLOAT_EQ(level, 0.5f);
    EXPECT_NE(displays.getFloatParameter(3, kIODisplayBrightnessKey, &level), kIOReturnSuccess) << "a maximum of 0";
    EXPECT_NE(displays.getFloatParameter(4, kIODisplayBrightnessKey, &level), kIOReturnSuccess);

    EXPECT_EQ(displays.setFloatParameter(2, kIODisplayBrightnessKey, 0.25f), kIOReturnSuccess);
    EXPECT_EQ(test::readFile(folder + u"/intel_backlight/brightness"_s), "240");
    EXPECT_EQ(displays.setFloatParameter(1, kIODisplayBrightnessKey, 0.4f), kIOReturnSuccess);
    EXPECT_NE(displays.setFloatParameter(2, kIODisplayBrightnessKey, 1.5f), kIOReturnSuccess);
    EXPECT_EQ(viaLoginManager, QStringList{u"acpi_video0=6"_s});
}
