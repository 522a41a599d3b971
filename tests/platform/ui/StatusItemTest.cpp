#include "UiTestSupport.h"

#include "platform/ui/StatusItem.h"

#include <QPalette>

#include <gtest/gtest.h>

using namespace platform::ui;
using platform::Observation;

namespace {

void setWindowColour(const QColor& window)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, window);
    QApplication::setPalette(palette);
}

} // namespace

// The status image following the desktop is checked end to end by the shell's tests; here what
// the observers hear, and when.
TEST(StatusItemTest, AppearanceObserversHearEachChangeOnceAndNothingAfterTheyGo)
{
    const QPalette previous = QApplication::palette();
    setWindowColour(QColor(240, 240, 240));
    std::unique_ptr<StatusItem> item = StatusBar::systemStatusBar().statusItemWithLength(NSSquareStatusItemLength);
    const QString path = QStringLiteral("button.effectiveAppearance");
    QStringList heard;
    Observation observation = item->addObserverForKeyPath(
        this, path, KeyValueObservingOptionNew | KeyValueObservingOptionInitial, [&](const QString& keyPath, void* object) {
            EXPECT_EQ(object, item.get());
            heard << keyPath + QLatin1Char(' ') + static_cast<StatusItem*>(object)->effectiveAppearanceName();
        });
    setWindowColour(QColor(30, 30, 36));
    setWindowColour(QColor(40, 40, 40)); // still dark: no change to tell
    setWindowColour(QColor(250, 250, 250));
    EXPECT_EQ(heard, (QStringList{path + QStringLiteral(" NSAppearanceNameAqua"), path + QStringLiteral(" NSAppearanceNameDarkAqua"),
                                  path + QStringLiteral(" NSAppearanceNameAqua")}));
    observation.reset();
    setWindowColour(QColor(10, 10, 10));
    EXPECT_EQ(heard.size(), 3);
    QApplication::setPalette(previous);
}

TEST(StatusItemTest, TheLookComesFromTheTrayThenTheDesktopElseAnIconForAnyTray)
{
    const QString aqua = NSAppearanceNameAqua, dark = NSAppearanceNameDarkAqua;
    const struct {
        std::optional<QColor> trayForeground;
        int windowLightness;
        bool desktopDeclared;
        StatusItem::Look look;
    } cases[] = {
        // The tray's own word wins over a palette that says the opposite.
        {QColor(240, 240, 240), 250, true, {dark, false}},
        {QColor(20, 20, 20), 20, false, {aqua, false}},
        {QColor(128, 128, 128), 250, false, {dark, false}},
        // A dark palette is always someone's choice; a light one only when a desktop gave it.
        {std::nullopt, 30, false, {dark, false}},
        {std::nullopt, 127, true, {dark, false}},
        {std::nullopt, 240, true, {aqua, false}},
        // A bare X server's default palette says nothing of the panel.
        {std::nullopt, 240, false, {aqua, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatusItem::lookForTray(c.trayForeground, c.windowLightness, c.desktopDeclared), c.look)
            << c.windowLightness << " " << c.desktopDeclared;
}
