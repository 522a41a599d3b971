#include "UninstallCell.h"
#include "UninstallImageTextCell.h"
#include "UninstallSizeCell.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"
#include "IsolatedEnvironment.h"

#include "utilities/GetColor.h"

#include "platform/ui/FieldEditor.h"
#include "platform/ui/GraphicsContext.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;
using uitest::DrawingView;

namespace {

using UninstallCellsTest = test::PlatformTest;

// Whether text was drawn in the rectangle from (x0, y0) to (x1, y1) of the image.
bool darkIn(const QImage& image, int x0, int y0, int x1, int y1)
{
    return uitest::countPixels(image, QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)),
                               [](QColor c) { return c.lightness() < 160 && c.alpha() > 128; }) > 0;
}

} // namespace

TEST_F(UninstallCellsTest, TheTwoLineCellPlacesItsLinesAndKeepsItsIconUpright)
{
    UninstallImageTextCell cell;
    cell.setPrimaryTextKeyPath(QStringLiteral("Pages"));
    cell.setSecondaryTextKeyPath(QStringLiteral("12 MB"));
    auto parts = cell.layout(Rect(0, 0, 400, 48), true);
    EXPECT_EQ(parts.first, Rect(46, 10, 300, 20));
    EXPECT_EQ(parts.second, Rect(46, 26, 200, 20));
    EXPECT_EQ(parts.icon, Rect(5, 8, 32, 32));
    EXPECT_EQ(cell.layout(Rect(0, 96, 400, 48), true).icon, Rect(5, 104, 32, 32));
    EXPECT_EQ(cell.layout(Rect(0, 0, 400, 48), false).icon, Rect(5, 8, 32, 32));
    EXPECT_EQ(cell.layout(Rect(0, 0, 400, 60), false).icon, Rect(5, 8, 32, 32)) << "8 above the lower edge";
    EXPECT_EQ(cell.layout(Rect(0, 0, 400, 60), true).icon, Rect(5, 20, 32, 32));

    cell.setSecondaryTextKeyPath(QString());
    parts = cell.layout(Rect(0, 0, 400, 48), true);
    EXPECT_EQ(parts.first.minY(), 19) << "alone, the first line moves down";
    EXPECT_FALSE(parts.hasSecond);

    // Drawn in a flipped view: the icon's top row is the image's top row, the text is dark.
    Image icon = uitest::solidImage(32, 32, Color::colorWithRed(0, 0, 1, 1));
    icon.lockFocus();
    Color::colorWithRed(1, 0, 0, 1).setFill();
    NSRectFill(Rect(0, 16, 32, 16)); // the upper half red
    icon.unlockFocus();
    cell.setIconImage(icon);
    cell.setTextColor(Color::whiteColor());
    DrawingView view(Rect(0, 0, 400, 48), true, [&] { cell.drawWithFrame(Rect(0, 0, 400, 48), view); });
    const QImage image = view.renderToImage();
    image.save(test::artifactPath(QStringLiteral("uninstall-image-text-cell.png")));
    EXPECT_TRUE(uitest::near(image.pixelColor(20, 12), QColor(255, 0, 0)));
    EXPECT_TRUE(uitest::near(image.pixelColor(20, 36), QColor(0, 0, 255)));
    EXPECT_TRUE(darkIn(image, 46, 19, 120, 39));
    EXPECT_EQ(cell.textColor(), Color::blackColor());
}

TEST_F(UninstallCellsTest, TheSizeCellDrawsItsTextThenThePlatformOverTheWholeFrame)
{
    UninstallSizeCell cell;
    EXPECT_EQ(cell.textRect(Rect(0, 0, 120, 40)), Rect());
    cell.setNameStr(QStringLiteral("0KB"));
    EXPECT_EQ(cell.textRect(Rect(0, 0, 120, 40)), Rect(30, 13, 80, 17));
    EXPECT_EQ(cell.textRect(Rect(0, 80, 120, 40)), Rect(30, 93, 80, 17));

    DrawingView view(Rect(0, 0, 120, 40), true, [&] { cell.drawWithFrame(Rect(0, 0, 120, 40), view); });
    EXPECT_TRUE(darkIn(view.renderToImage(), 30, 13, 110, 30));
    // A cell that draws its background covers its own text.
    cell.setDrawsBackground(true);
    cell.setBackgroundColor(Color::colorWithRed(0.8, 1, 0.8, 1));
    const QImage covered = view.renderToImage();
    EXPECT_FALSE(darkIn(covered, 30, 13, 110, 30));
    EXPECT_TRUE(uitest::near(covered.pixelColor(60, 20), QColor(204, 255, 204)));

    FieldEditor editor;
    cell.selectWithFrame(Rect(0, 0, 120, 40), view, editor, 0, 0);
    EXPECT_EQ(editor.frame(), Rect(3, 0, 117, 40));
}

TEST_F(UninstallCellsTest, TheIconCellCentresItsValueBesideTheIcon)
{
    UninstallCell cell;
    cell.setStringValue(QStringLiteral("Library"));
    cell.setImage(uitest::redSquare(24));
    const auto slice = cell.iconSlice(Rect(0, 0, 400, 40));
    EXPECT_EQ(slice.icon, Rect(3, 8, 24, 24));
    EXPECT_EQ(slice.remainder, Rect(27, 0, 373, 40));

    DrawingView view(Rect(0, 0, 400, 40), true, [&] { cell.drawWithFrame(Rect(0, 0, 400, 40), view); });
    const QImage image = view.renderToImage();
    EXPECT_TRUE(uitest::near(image.pixelColor(10, 20), QColor(255, 0, 0)));
    EXPECT_TRUE(darkIn(image, 37, 5, 120, 35));

    std::unique_ptr<Cell> copy = cell.copy();
    cell.setImage(Image());
    EXPECT_FALSE(copy->image().isNull());
}
