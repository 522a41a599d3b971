#include "controls/ImageAndTextCell.h"
#include "controls/ImageTextCell.h"
#include "controls/StartItemImageAndTextCell.h"
#include "UiTestSupport.h"
#include "PlatformTest.h"
#include <gtest/gtest.h>

using namespace platform::ui;

using TableCellsTest = test::PlatformTest;
using uitest::redSquare;

TEST_F(TableCellsTest, TheTaskManagerCellPlacesIconNameAndRest)
{
    ImageTextCell cell;
    cell.setImage(redSquare(24));
    cell.setNameStr(QStringLiteral("Safari"));
    ImageTextCell::Layout parts = cell.layout(Rect(0, 0, 400, 40));
    EXPECT_EQ(parts.icon.icon, Rect(4, 8, 24, 24));
    EXPECT_EQ(parts.text, Rect(35, 11, 300, 17));
    EXPECT_EQ(parts.remainder, Rect(327, 0, 73, 40));
    // Rows further down keep the same places within the row.
    parts = cell.layout(Rect(0, 80, 400, 40));
    EXPECT_EQ(parts.icon.icon, Rect(4, 88, 24, 24));
    EXPECT_EQ(parts.text, Rect(35, 91, 300, 17));
    // A narrow frame gives the text what is left and the platform nothing.
    parts = cell.layout(Rect(0, 0, 200, 40));
    EXPECT_EQ(parts.text, Rect(35, 11, 173, 17));
    EXPECT_TRUE(parts.remainder.isEmpty());
    // Without an image nothing is cut for it; without a name the icon's rest is the platform's.
    cell.setImage(Image());
    parts = cell.layout(Rect(0, 0, 400, 40));
    EXPECT_FALSE(parts.icon.hasIcon);
    EXPECT_EQ(parts.text, Rect(8, 11, 300, 17));
    EXPECT_EQ(parts.remainder, Rect(300, 0, 100, 40));
    cell.setNameStr(QString());
    EXPECT_EQ(cell.layout(Rect(0, 0, 400, 40)).remainder, Rect(0, 0, 400, 40));
}

TEST_F(TableCellsTest, TheOtherIconCellsPlaceTheirTextsAndIcons)
{
    ImageAndTextCell apps;
    apps.setImage(redSquare(32));
    apps.setPrimaryTextKeyPath(QStringLiteral("Notes"));
    const auto app = apps.layout(Rect(0, 0, 300, 48));
    EXPECT_EQ(app.text, Rect(58, 10, 200, 17));
    EXPECT_EQ(app.icon.icon, Rect(8, 8, 32, 32));
    EXPECT_EQ(app.icon.remainder, Rect(35, 0, 265, 48));
    StartItemImageAndTextCell startup;
    startup.setImage(redSquare(24));
    startup.setPrimaryTextKeyPath(QStringLiteral("Dropbox"));
    const auto item = startup.layout(Rect(0, 0, 300, 40));
    EXPECT_EQ(item.text, Rect(40, 12, 200, 18));
    EXPECT_EQ(item.icon.icon, Rect(12, 7, 24, 24)) << "one point above the centre";
    // No text: nothing of its own is drawn, and a frame narrower than the slice leaves no rest.
    ImageAndTextCell bare;
    EXPECT_FALSE(bare.layout(Rect(0, 0, 300, 48)).hasText);
    bare.setImage(redSquare(32));
    EXPECT_TRUE(bare.layout(Rect(0, 0, 20, 48)).icon.remainder.isEmpty());
}

TEST_F(TableCellsTest, CopiesShareWhatTheyHeldAndNothingSetLater)
{
    StartItemImageAndTextCell cell;
    const Image first = redSquare(24);
    cell.setImage(first);
    cell.setPrimaryTextKeyPath(QStringLiteral("One"));
    std::unique_ptr<Cell> copy = cell.copy();
    auto* item = dynamic_cast<StartItemImageAndTextCell*>(copy.get());
    ASSERT_NE(item, nullptr);
    cell.setImage(redSquare(24));
    cell.setPrimaryTextKeyPath(QStringLiteral("Two"));
    EXPECT_EQ(item->image(), first);
    EXPECT_EQ(item->primaryTextKeyPath(), QStringLiteral("One"));
}
