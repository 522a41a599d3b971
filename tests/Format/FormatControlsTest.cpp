#include "Format/SortSelectBgView.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"

#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace platform::ui;

namespace {

struct Chooser : SortSelectBgViewDelegate {
    std::vector<QString> chosen;
    void selectSortType(SortSelectBgView& tile) override { chosen.push_back(tile.identifier()); }
};

} // namespace

using FormatControlsTest = test::PlatformTest;

TEST_F(FormatControlsTest, OptionTilesLightUpUnderThePointerAndReportTheirRow)
{
    Window window(Rect(0, 0, 200, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    SortSelectBgView* tiles[2];
    for (int i = 0; i < 2; ++i) {
        tiles[i] = window.contentView()->addSubview(std::make_unique<SortSelectBgView>(Rect(0, 60 - 40 * i, 200, 30)));
        tiles[i]->setIdentifier(QString::number(i));
        tiles[i]->awakeFromNib();
    }
    window.orderFront();
    uitest::Mouse mouse(window);
    mouse.move({100, 75});
    EXPECT_TRUE(tiles[0]->isMouseIn());
    mouse.move({100, 35});
    EXPECT_FALSE(tiles[0]->isMouseIn());
    EXPECT_TRUE(tiles[1]->isMouseIn());
    // Without a delegate a click does nothing; with one it names the tile.
    mouse.click({100, 35});
    Chooser chooser;
    for (SortSelectBgView* tile : tiles)
        tile->setDelegate(&chooser);
    mouse.click({100, 35});
    mouse.click({100, 75});
    EXPECT_EQ(chooser.chosen, (std::vector<QString>{"1", "0"}));
    window.orderOut();
}
