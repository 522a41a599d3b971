#include "AppUninstall/UninstallImageTextCell.h"
#include "AppUninstall/UninstallSizeCell.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"
#include "IsolatedEnvironment.h"

#include "platform/ui/GraphicsContext.h"

#include <gtest/gtest.h>

using namespace platform::ui;
using uitest::DrawingView;
using UninstallCellsTest = test::PlatformTest;

namespace {

// Whether text was drawn in the rectangle from (x0, y0) to (x1, y1) of the image.
bool darkIn(const QImage& image, int x0, int y0, int x1, int y1)
{
    return uitest::countPixels(image, QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)),
                               [](QColor c) { return c.lightness() < 160 && c.alpha() > 128; }) > 0;
}

} // namespace

TEST_F(UninstallCellsTest, TheTwoLineCellDrawsBlackTextAndKeepsItsIconUpright)
{
    UninstallImageTextCell cell;
    cell.setPrimaryTextKeyPath("Pages");
    cell.setSecondaryTextKeyPath("12 MB");
    // Drawn in a flipped view: the icon's top row is the image's top row, the text is black.
    Image icon = uitest::solidImage(32, 32, Color::colorWithRed(0, 0, 1, 1));
    icon.lockFocus();
    Color::colorWithRed(1, 0, 0, 1).setFill();
    NSRectFill(Rect(0, 16, 32, 16)); // the upper half red
    icon.unlockFocus();
    cell.setIconImage(icon);
    cell.setTextColor(Color::whiteColor());
    DrawingView view(Rect(0, 0, 400, 48), true, [&] { cell.drawWithFrame(Rect(0, 0, 400, 48), view); });
    const QImage image = view.renderToImage();
    image.save(test::artifactPath("uninstall-image-text-cell.png"));
    EXPECT_TRUE(uitest::near(image.pixelColor(20, 12), QColor(255, 0, 0)));
    EXPECT_TRUE(uitest::near(image.pixelColor(20, 36), QColor(0, 0, 255)));
    EXPECT_TRUE(darkIn(image, 46, 19, 120, 39));
}

TEST_F(UninstallCellsTest, TheSizeCellDrawsItsTextThenThePlatformOverTheWholeFrame)
{
    UninstallSizeCell cell;
    cell.setNameStr("0KB");
    DrawingView view(Rect(0, 0, 120, 40), true, [&] { cell.drawWithFrame(Rect(0, 0, 120, 40), view); });
    EXPECT_TRUE(darkIn(view.renderToImage(), 30, 13, 110, 30));
    // A cell that draws its background covers its own text.
    cell.setDrawsBackground(true);
    cell.setBackgroundColor(Color::colorWithRed(0.8, 1, 0.8, 1));
    EXPECT_FALSE(darkIn(view.renderToImage(), 30, 13, 110, 30));
}
