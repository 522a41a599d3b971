#include "UiTestSupport.h"

#include "platform/ui/StatusItem.h"

#include <QPalette>

#include <gtest/gtest.h>

using namespace platform::ui;
using platform::Observation;

namespace {

const QString kAppearance = QStringLiteral("button.effectiveAppearance");

// Sets the application's window colour for the length of a test.
class PaletteScope {
public:
    explicit PaletteScope(const QColor& window) { set(window); }
    ~PaletteScope() { QApplication::setPalette(previous_); }
    static void set(const QColor& window)
    {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Window, window);
        QApplication::setPalette(palette);
    }

private:
    QPalette previous_ = QApplication::palette();
};

} // namespace

TEST(StatusItemTest, AppearanceFollowsTheDesktopColoursAndCanBeObserved)
{
    PaletteScope scope(QColor(240, 240, 240));
    std::unique_ptr<StatusItem> item = StatusBar::systemStatusBar().statusItemWithLength(NSSquareStatusItemLength);
    EXPECT_EQ(item->effectiveAppearanceName(), NSAppearanceNameAqua);

    QStringList heard;
    Observation observation = item->addObserverForKeyPath(
        this, kAppearance, KeyValueObservingOptionNew | KeyValueObservingOptionInitial,
        [&](const QString& keyPath, void* object) {
            EXPECT_EQ(object, item.get());
            heard << keyPath + QLatin1Char(' ') + static_cast<StatusItem*>(object)->effectiveAppearanceName();
        });
    ASSERT_EQ(heard.size(), 1); // the initial call
    PaletteScope::set(QColor(30, 30, 36));
    PaletteScope::set(QColor(40, 40, 40)); // still dark: no change to tell
    PaletteScope::set(QColor(250, 250, 250));
    EXPECT_EQ(heard, (QStringList{kAppearance + QStringLiteral(" NSAppearanceNameAqua"),
                                  kAppearance + QStringLiteral(" NSAppearanceNameDarkAqua"),
                                  kAppearance + QStringLiteral(" NSAppearanceNameAqua")}));

    observation.reset();
    PaletteScope::set(QColor(10, 10, 10));
    EXPECT_EQ(heard.size(), 3);
    EXPECT_EQ(item->effectiveAppearanceName(), NSAppearanceNameDarkAqua);

    // Only the appearance can be observed.
    int others = 0;
    Observation none = item->addObserverForKeyPath(this, QStringLiteral("button.image"), KeyValueObservingOptionInitial,
                                                   [&](const QString&, void*) { ++others; });
    EXPECT_FALSE(none.isActive());
    EXPECT_EQ(others, 0);
}

TEST(StatusItemTest, ClicksRunTheActionAndTheItemWorksWithoutATray)
{
    // The dark threshold is the middle of the scale.
    EXPECT_EQ(StatusItem::appearanceForWindowLightness(127), NSAppearanceNameDarkAqua);
    EXPECT_EQ(StatusItem::appearanceForWindowLightness(128), NSAppearanceNameAqua);

    std::unique_ptr<StatusItem> item = StatusBar::systemStatusBar().statusItemWithLength(NSVariableStatusItemLength);
    item->performClick(); // no action yet: nothing
    int clicks = 0;
    item->setAction([&] { ++clicks; });
    item->performClick();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(StatusBar::isAvailable()); // the offscreen desktop has no tray
}
