#include "switchmanager/SwitchRules.h"

#include <gtest/gtest.h>

namespace {

// What `defaults` prints for a missing key or domain, on the pipe it shares with the output.
const QString kMissing = QStringLiteral("The domain/default pair does not exist\n");

struct ReadCase {
    QString output;
    bool desktopHidden, filesShown, doNotDisturb, dockHidden;
};

TEST(SwitchRulesTest, OutputRulesSearchTheWholeText)
{
    const ReadCase cases[] = {
        {"TRUE\n", false, true, false, true},
        {"FALSE\n", true, false, false, true},
        {"1\n", false, false, true, true},
        {"0\n", false, false, false, false},
        {kMissing, false, false, false, true},  // no digit: the Dock reads as hidden
        {"", false, false, false, true},        // a reader that timed out
        {"FALSE TRUE 10\n", true, true, true, false},
        {"bash: defaults: command not found (2)\n", false, false, false, true},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(SwitchRules::desktopIconsHidden(c.output), c.desktopHidden) << c.output.toStdString();
        EXPECT_EQ(SwitchRules::hiddenFilesShown(c.output), c.filesShown) << c.output.toStdString();
        EXPECT_EQ(SwitchRules::doNotDisturbOn(c.output), c.doNotDisturb) << c.output.toStdString();
        EXPECT_EQ(SwitchRules::dockHidden(c.output), c.dockHidden) << c.output.toStdString();
    }
}

TEST(SwitchRulesTest, DarkStyleIsTheTextDarkInAnyCase)
{
    EXPECT_TRUE(SwitchRules::darkStyle(QStringLiteral("Dark")));
    EXPECT_TRUE(SwitchRules::darkStyle(QStringLiteral("DARK")));
    for (const QVariant& style : {QVariant(), QVariant(QStringLiteral("Light")), QVariant(QStringLiteral("Dark ")),
                                  QVariant(true), QVariant(QVariantList{QStringLiteral("Dark")})})
        EXPECT_FALSE(SwitchRules::darkStyle(style)) << style.toString().toStdString();
}

TEST(SwitchRulesTest, VersionGates)
{
    struct Gate {
        int version;
        bool darkMode, screenSaver, doNotDisturb, nightShift;
    };
    const Gate gates[] = {
        {1009, true, true, true, true},    {1010, true, false, true, true},  {1011, false, false, true, true},
        {1012, false, false, true, true},  {1013, false, false, false, false}, {1015, false, false, false, false},
        {1016, false, false, false, false}, {1400, false, false, false, false},
    };
    for (const Gate& g : gates) {
        const SwitchRules::Gates gates = SwitchRules::gatesForVersion(g.version);
        EXPECT_EQ(gates.darkMode, g.darkMode) << g.version;
        EXPECT_EQ(gates.screenSaver, g.screenSaver) << g.version;
        EXPECT_EQ(gates.doNotDisturb, g.doNotDisturb) << g.version;
        EXPECT_EQ(gates.nightShift, g.nightShift) << g.version;
    }
}

TEST(SwitchRulesTest, ByHostFileIsTheLaterMatchInListingOrder)
{
    const QString folder = QStringLiteral("/Users/ada/Library/Preferences/ByHost/");
    const QString a = QStringLiteral("com.apple.notificationcenterui.1111.plist");
    const QString b = QStringLiteral("com.apple.notificationcenterui.2222.plist");
    const QString other = QStringLiteral("com.apple.screensaver.3333.plist");
    EXPECT_EQ(SwitchRules::doNotDisturbPath(folder, {a, other, b}), folder + b);
    EXPECT_EQ(SwitchRules::doNotDisturbPath(folder, {b, a, other}), folder + a);
    EXPECT_EQ(SwitchRules::doNotDisturbPath(folder, {other}), folder);
    EXPECT_EQ(SwitchRules::doNotDisturbPath(folder, {}), folder);
}

} // namespace
