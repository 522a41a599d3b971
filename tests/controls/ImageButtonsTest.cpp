#include "controls/CustemButtonView.h"
#include "controls/EUHandButton.h"
#include "controls/IconATextButton.h"
#include "controls/TCImageButton.h"
#include "UiTestSupport.h"
#include "PlatformTest.h"
#include "utilities/GetColor.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include <gtest/gtest.h>
#include <vector>

using namespace platform::ui;

namespace {

class ImageButtonsTest : public test::PlatformTest {
protected:
    Window window{Rect(100, 100, 400, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    uitest::Mouse mouse{window};

    void TearDown() override { window.orderOut(); }
    QColor pixel(double x, double y) const
    {
        return window.renderToImage().pixelColor(int(x), int(window.frame().height() - 1 - y));
    }
};

struct Recorder : IconATextButtonDelegate, TCImageButtonDelegate {
    std::vector<EventType> downs;
    void moushDownInButton(const Event& mouseDown) override { downs.push_back(mouseDown.type()); }
};

} // namespace

TEST_F(ImageButtonsTest, AQuickVisitTileDarkensUnderThePointerAndCallsBackOnlyWithADelegate)
{
    auto* tile = window.contentView()->addSubview(std::make_unique<CustemButtonView>(Rect(8, 30, 384, 40)));
    window.orderFront();
    int backs = 0;
    tile->setBackAction([&] { ++backs; });
    tile->setName(QStringLiteral("Terminal"));
    // The tile assumes the pointer inside at first: the first visit only counts once it left.
    mouse.move({300, 50});
    EXPECT_FALSE(tile->isMouseEnter());
    mouse.move({300, 90});
    mouse.move({300, 50});
    EXPECT_TRUE(tile->isMouseEnter());
    EXPECT_FALSE(uitest::near(pixel(10, 50), getColor(245, 246, 250, 1).toQColor())) << "darkened";
    mouse.move({300, 90});
    EXPECT_FALSE(tile->isMouseEnter());
    EXPECT_TRUE(uitest::near(pixel(10, 50), getColor(245, 246, 250, 1).toQColor()));
    mouse.click({300, 50});
    EXPECT_EQ(backs, 0) << "no delegate";
    auto owner = std::make_unique<ViewController>();
    tile->setDelegate(owner.get());
    mouse.click({300, 50});
    EXPECT_EQ(backs, 1);
    owner.reset();
    mouse.click({300, 50});
    EXPECT_EQ(backs, 1) << "a delegate that is gone";
}

TEST_F(ImageButtonsTest, TheHandButtonShowsTheHandWhileThePointerIsOverIt)
{
    auto* hand = window.contentView()->addSubview(std::make_unique<EUHandButton>(Rect(10, 10, 60, 20)));
    window.orderFront();
    mouse.move({20, 20});
    EXPECT_EQ(Cursor::currentCursor(), Cursor::pointingHandCursor());
    mouse.move({200, 80});
    EXPECT_EQ(Cursor::currentCursor(), Cursor::arrowCursor());
    // Gone while the pointer is on it: the arrow comes back.
    mouse.move({20, 20});
    hand->removeFromSuperview().reset();
    EXPECT_EQ(Cursor::currentCursor(), Cursor::arrowCursor());
}

TEST_F(ImageButtonsTest, TheIconAndImageButtonsPlaceTheirImagesAndTellTheirDelegate)
{
    auto* icon = window.contentView()->addSubview(std::make_unique<IconATextButton>(Rect(10, 10, 150, 30)));
    auto* image = window.contentView()->addSubview(std::make_unique<TCImageButton>(Rect(200, 10, 150, 30)));
    window.orderFront();
    Recorder recorder;
    icon->setDelegate(&recorder);
    image->setDelegate(&recorder);
    // The later of the image and title calls decides where the image goes; a new title
    // replaces the label rather than piling labels up.
    image->setImageFromFileNormalName(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                                      QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    image->setTextWithName(QStringLiteral("Go"), Rect(0, 0, 140, 28));
    EXPECT_EQ(image->dstRect(), Rect(0, 0, 136, 28));
    image->setTextWithName(QStringLiteral("Again"), Rect(0, 0, 140, 28));
    EXPECT_EQ(image->subviews().size(), 1u);
    // Every followed click reaches the delegate with its mouse-down, also on a button the
    // platform disabled; a button with its own switch off follows none.
    int actions = 0;
    image->setAction([&](Button&) { ++actions; });
    icon->setButtonEnabled(false);
    mouse.click({250, 20});
    image->setEnabled(false);
    mouse.click({250, 20});
    mouse.click({50, 20});
    EXPECT_EQ(recorder.downs, (std::vector<EventType>{EventType::LeftMouseDown, EventType::LeftMouseDown}));
    EXPECT_EQ(actions, 1);
}
