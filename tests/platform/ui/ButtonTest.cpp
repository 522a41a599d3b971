#include "UiTestSupport.h"

#include "platform/ui/Button.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

struct ButtonWindow {
    Window window{Rect(100, 100, 200, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    Button* button = window.contentView()->addSubview(std::make_unique<Button>(Rect(20, 20, 80, 30)));
    uitest::Mouse mouse{window};
    int clicks = 0;
    ButtonWindow()
    {
        button->setAction([this](Button&) { ++clicks; });
        window.orderFront();
    }
    ~ButtonWindow() { window.orderOut(); }
};

} // namespace

TEST(ButtonTest, AClickActsOnReleaseInsideOnly)
{
    ButtonWindow t;
    t.mouse.press({30, 30});
    EXPECT_EQ(t.clicks, 0) << "nothing happens before the release";
    t.mouse.drag({150, 80});
    EXPECT_FALSE(t.button->isHighlighted()) << "dragged out";
    t.mouse.drag({40, 30});
    EXPECT_TRUE(t.button->isHighlighted()) << "back in";
    t.mouse.release({40, 30});
    EXPECT_EQ(t.clicks, 1);
    // Released outside: no action.
    t.mouse.press({30, 30});
    t.mouse.release({150, 80});
    EXPECT_EQ(t.clicks, 1);
}

TEST(ButtonTest, DisabledButtonsIgnoreClicksAndCodeClicks)
{
    ButtonWindow t;
    t.button->setEnabled(false);
    t.mouse.click({30, 30});
    t.button->performClick();
    EXPECT_EQ(t.clicks, 0);
    // Disabled in the middle of a click: the release does nothing.
    t.button->setEnabled(true);
    t.mouse.press({30, 30});
    t.button->setEnabled(false);
    t.button->setEnabled(true);
    t.mouse.release({30, 30});
    EXPECT_EQ(t.clicks, 0);
}

TEST(ButtonTest, AnActionMayDestroyItsButton)
{
    ButtonWindow t;
    t.button->setAction([&](Button& sender) {
        std::unique_ptr<View> gone = sender.removeFromSuperview();
        gone.reset();
        t.button = nullptr;
        ++t.clicks;
    });
    t.mouse.click({30, 30});
    EXPECT_EQ(t.clicks, 1);
    EXPECT_TRUE(t.window.contentView()->subviews().empty());
}

TEST(ButtonTest, ButtonsNeverDragAWindowMovableByItsBackground)
{
    ButtonWindow t;
    t.window.setMovableByWindowBackground(true);
    const Point origin = t.window.frame().origin;
    t.mouse.press({30, 30});
    t.mouse.drag({90, 70});
    t.mouse.release({90, 70});
    EXPECT_EQ(t.window.frame().origin, origin);
}

TEST(ButtonTest, ImagesAndTitlesShareTheFrameByPosition)
{
    const Rect frame(10, 0, 100, 20);
    const Size image{16, 16};
    const Size title{40, 14};
    const struct { CellImagePosition position; Rect image, title; } cases[] = {
        {CellImagePosition::ImageLeft, Rect(12, 2, 16, 16), Rect(32, 3, 76, 14)},
        {CellImagePosition::ImageRight, Rect(92, 2, 16, 16), Rect(12, 3, 76, 14)},
    };
    for (const auto& c : cases) {
        const auto parts = ButtonCell::layout(frame, image, title, c.position, ImageScaling::ProportionallyDown);
        EXPECT_EQ(parts.image, c.image) << int(c.position);
        EXPECT_EQ(parts.title, c.title) << int(c.position);
    }
    EXPECT_EQ(ButtonCell::layout(frame, image, title, CellImagePosition::ImageOnly, ImageScaling::ProportionallyDown).image,
              Rect(52, 2, 16, 16));
    // An image taller than the frame is scaled down into it; a frame narrower than the image
    // leaves the title no room rather than a negative width.
    auto tall = ButtonCell::layout(Rect(0, 0, 10, 8), image, title, CellImagePosition::ImageLeft,
                                   ImageScaling::ProportionallyDown);
    EXPECT_EQ(tall.image.size, (Size{8, 8}));
    EXPECT_EQ(tall.title.width(), 0);
}
