#include "CustemButtonView.h"
#include "EUHandButton.h"
#include "IconATextButton.h"
#include "TCImageButton.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"

#include "utilities/GetColor.h"

#include "platform/ui/Cursor.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <memory>
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

    const QColor light = getColor(245, 246, 250, 1).toQColor();
    EXPECT_TRUE(uitest::near(pixel(10, 50), light));
    // The tile assumes the pointer inside at first: the first visit only counts once it left.
    mouse.move({300, 50});
    EXPECT_FALSE(tile->isMouseEnter());
    mouse.move({300, 90});
    mouse.move({300, 50});
    EXPECT_TRUE(tile->isMouseEnter());
    // Black at alpha 0.1 over the window's background.
    const QColor background = window.backgroundColor().toQColor();
    const QColor dark(int(background.red() * 0.9), int(background.green() * 0.9), int(background.blue() * 0.9));
    EXPECT_TRUE(uitest::near(pixel(10, 50), dark));
    mouse.move({300, 90});
    EXPECT_FALSE(tile->isMouseEnter());
    EXPECT_TRUE(uitest::near(pixel(10, 50), light));

    mouse.click({300, 50});
    EXPECT_EQ(backs, 0) << "no delegate";
    auto owner = std::make_unique<ViewController>();
    tile->setDelegate(owner.get());
    mouse.click({300, 50});
    EXPECT_EQ(backs, 1);
    owner.reset();
    mouse.click({300, 50});
    EXPECT_EQ(backs, 1) << "a delegate that is gone";

    // The link text goes to the open button when there is one.
    const AttributedString open = tile->getOpenString(QStringLiteral("Open"));
    Button* link = window.contentView()->addSubview(std::make_unique<Button>(Rect(0, 0, 40, 20)));
    tile->setOpenBut(link);
    tile->getOpenString(QStringLiteral("Open"));
    EXPECT_EQ(link->attributedTitle(), open);
}

TEST_F(ImageButtonsTest, TheHandButtonShowsTheHandWhileThePointerIsOverIt)
{
    auto* hand = window.contentView()->addSubview(std::make_unique<EUHandButton>(Rect(10, 10, 60, 20)));
    window.orderFront();
    EXPECT_EQ(hand->trackingAreas().size(), 1u) << "added on moving into the window";
    mouse.move({20, 20});
    EXPECT_EQ(Cursor::currentCursor(), Cursor::pointingHandCursor());
    mouse.move({200, 80});
    EXPECT_EQ(Cursor::currentCursor(), Cursor::arrowCursor());

    // Gone while the pointer is on it: the arrow comes back.
    mouse.move({20, 20});
    std::unique_ptr<View> gone = hand->removeFromSuperview();
    gone.reset();
    EXPECT_EQ(Cursor::currentCursor(), Cursor::arrowCursor());
}

TEST_F(ImageButtonsTest, TheOtherFourImageButtonsPlaceTheirImagesAndTellTheirDelegate)
{
    auto* icon = window.contentView()->addSubview(std::make_unique<IconATextButton>(Rect(10, 10, 150, 30)));
    auto* image = window.contentView()->addSubview(std::make_unique<TCImageButton>(Rect(200, 10, 150, 30)));
    window.orderFront();
    Recorder recorder;
    icon->setDelegate(&recorder);
    image->setDelegate(&recorder);

    // The later of the two calls decides where the images go.
    icon->setImageFromFileNormalName(QStringLiteral("btn_main"), QStringLiteral("btn_main_press"),
                                     QStringLiteral("btn_main_hover"), QStringLiteral("btn_main_disable"));
    EXPECT_EQ(icon->dstRect(), Rect(0, 0, 96, 30)) << "the normal image's size";
    icon->setTextWithName(QStringLiteral("Add"), Rect(0, 0, 140, 28));
    EXPECT_EQ(icon->dstRect(), Rect(0, 0, 140, 28));
    EXPECT_EQ(icon->textField()->frame(), Rect(20, 0, 150, 30));

    image->setTextWithName(QStringLiteral("Go"), Rect(0, 0, 140, 28));
    EXPECT_EQ(image->dstRect(), Rect(0, 0, 136, 28));
    EXPECT_EQ(image->textField()->frame(), Rect(0, 2, 150, 30));
    image->setImageFromFileNormalName(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                                      QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    EXPECT_EQ(image->dstRect(), Rect(0, 0, 96, 30));
    EXPECT_EQ(image->srcRect(), Rect(0, 0, 96, 30));

    // A new title replaces the label rather than piling labels up.
    image->setTextWithName(QStringLiteral("Again"), Rect(0, 0, 140, 28));
    EXPECT_EQ(image->subviews().size(), 1u);

    // Label colours: black or white, grey when disabled; no colours by image name.
    (void)window.renderToImage();
    EXPECT_EQ(icon->textField()->textColor(), Color::blackColor());
    EXPECT_EQ(image->textField()->textColor(), Color::whiteColor());
    icon->setButtonEnabled(false);
    (void)window.renderToImage();
    EXPECT_EQ(icon->textField()->textColor(), Color::grayColor());

    // Every followed click reaches the delegate with its mouse-down, also on a button the
    // platform disabled; a button with its own switch off follows none.
    int actions = 0;
    image->setAction([&](Button&) { ++actions; });
    mouse.click({250, 20});
    image->setEnabled(false);
    mouse.click({250, 20});
    mouse.click({50, 20});
    EXPECT_EQ(recorder.downs, (std::vector<EventType>{EventType::LeftMouseDown, EventType::LeftMouseDown}));
    EXPECT_EQ(actions, 1);
}
