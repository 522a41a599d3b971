#include "ActionTextFieldCell.h"
#include "CustemTextFieldCell.h"
#include "SortSelectBgView.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"

#include "platform/ui/FieldEditor.h"
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
    auto* first = window.contentView()->addSubview(std::make_unique<SortSelectBgView>(Rect(0, 60, 200, 30)));
    auto* second = window.contentView()->addSubview(std::make_unique<SortSelectBgView>(Rect(0, 20, 200, 30)));
    first->setIdentifier(QStringLiteral("0"));
    second->setIdentifier(QStringLiteral("1"));
    first->awakeFromNib();
    second->awakeFromNib();
    window.orderFront();
    uitest::Mouse mouse(window);

    mouse.move({100, 75});
    EXPECT_TRUE(first->isMouseIn());
    QImage image = window.renderToImage();
    EXPECT_TRUE(uitest::near(image.pixelColor(100, 100 - 75), QColor(10, 132, 255)));
    EXPECT_FALSE(uitest::near(image.pixelColor(100, 100 - 35), QColor(10, 132, 255)));
    mouse.move({100, 35});
    EXPECT_FALSE(first->isMouseIn());
    EXPECT_TRUE(second->isMouseIn());

    // Without a delegate a click does nothing; with one it names the tile.
    mouse.click({100, 35});
    Chooser chooser;
    first->setDelegate(&chooser);
    second->setDelegate(&chooser);
    mouse.click({100, 35});
    mouse.click({100, 75});
    EXPECT_EQ(chooser.chosen, (std::vector<QString>{QStringLiteral("1"), QStringLiteral("0")}));
    window.orderOut();
}

TEST_F(FormatControlsTest, EditedFieldsGetABlackInsertionPointWhateverTheirColours)
{
    uitest::DrawingView view(Rect(0, 0, 100, 20), false);
    CustemTextFieldCell custem(QStringLiteral("Untitled"));
    ActionTextFieldCell action(QStringLiteral("Untitled"));
    for (CustemTextFieldCell* cell : {&custem, static_cast<CustemTextFieldCell*>(&action)}) {
        cell->setTextColor(Color::whiteColor());
        FieldEditor editor;
        editor.setInsertionPointColor(Color::whiteColor());
        cell->editWithFrame(Rect(0, 0, 100, 20), view, editor, nullptr);
        EXPECT_EQ(editor.string(), QStringLiteral("Untitled"));
    }
}
