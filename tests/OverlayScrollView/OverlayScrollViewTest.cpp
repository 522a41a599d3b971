#include "OverlayScrollView/OverlayScrollView.h"
#include "OverlayScrollView/OverlayScroller.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "TestPlatform.h"
#include "UiTestSupport.h"

#include "platform/ui/Event.h"
#include "platform/ui/TableView.h"

#include <gtest/gtest.h>

using namespace platform::ui;
using namespace std::chrono_literals;

namespace {

// A scroll view 200 × 150 around a document 600 points high, with an overlay scroller.
struct Scrolling {
    test::TestPlatform platform;
    std::unique_ptr<OverlayScrollView> view = std::make_unique<OverlayScrollView>(Rect(0, 0, 200, 150));
    OverlayScroller* scroller = nullptr;

    Scrolling()
    {
        view->setDocumentView(std::make_unique<uitest::DrawingView>(Rect(0, 0, 200, 600), true, [] {
            Color::colorWithRed(0.8, 0.9, 1, 1).setFill();
            NSRectFill(Rect(0, 0, 200, 600));
        }));
        auto owned = std::make_unique<OverlayScroller>();
        scroller = owned.get();
        view->setVerticalScroller(std::move(owned));
    }
    void scrollTo(double y) { view->contentView()->scrollToPoint({0, y}); }
    void pass(std::chrono::milliseconds time) { platform.dispatcher().advance(time); }
};

Event pointer(EventType type)
{
    Event::Fields f;
    f.type = type;
    return Event(f);
}

} // namespace

TEST(OverlayScrollerTest, ShowsOnScrollAndFadesOutAfterTheLastOne)
{
    // Each case: the scrolls (at those times) and the alpha expected at each later time.
    const struct {
        const char* name;
        std::vector<std::chrono::milliseconds> scrolls;
        std::vector<std::pair<std::chrono::milliseconds, double>> alphas;
    } cases[] = {
        {"one scroll", {0ms}, {{0ms, 0}, {128ms, 0.512}, {256ms, 1}, {1499ms, 1}, {1644ms, 0.52}, {1808ms, 0}, {5000ms, 0}}},
        // The second scroll moves the one pending fade to 1.5 s after itself.
        {"two scrolls", {0ms, 1000ms}, {{1600ms, 1}, {2499ms, 1}, {2808ms, 0}}},
        {"scroll while fading", {0ms, 1650ms}, {{1910ms, 1}, {3150ms, 1}, {3458ms, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Scrolling s;
        EXPECT_EQ(s.scroller->alphaValue(), 0); // hidden until something scrolls
        std::chrono::milliseconds now{};
        auto scrolls = c.scrolls.begin();
        double y = 0;
        for (const auto& [at, alpha] : c.alphas) {
            for (; scrolls != c.scrolls.end() && *scrolls <= at; ++scrolls) {
                s.pass(*scrolls - now), now = *scrolls;
                s.scrollTo(y += 40);
            }
            s.pass(at - now), now = at;
            EXPECT_NEAR(s.scroller->alphaValue(), alpha, 0.02) << "at " << at.count() << " ms";
        }
    }
}

TEST(OverlayScrollerTest, PointerOnTheScrollerKeepsItShownUntilItLeaves)
{
    Scrolling s;
    s.scrollTo(40);
    s.pass(200ms);
    s.scroller->mouseEntered(pointer(EventType::MouseEntered)); // the pending fade is dropped
    s.pass(3s);
    EXPECT_EQ(s.scroller->alphaValue(), 1);
    s.scroller->mouseExited(pointer(EventType::MouseExited));
    s.pass(320ms);
    EXPECT_EQ(s.scroller->alphaValue(), 0);
    s.scroller->mouseMoved(pointer(EventType::MouseMoved)); // at once, no animation
    EXPECT_EQ(s.scroller->alphaValue(), 1);
}

TEST(OverlayScrollerTest, ScrollViewDestroyedMidFadeStopsItsTimersUnderTheSanitizer)
{
    Scrolling s;
    s.scrollTo(40);
    s.pass(1600ms); // fading
    ASSERT_GT(s.platform.dispatcher().validTimers(), 0u);
    s.view.reset();
    EXPECT_EQ(s.platform.dispatcher().validTimers(), 0u);
    s.pass(5s); // a call into the freed scroller would be reported here
}

TEST(OverlayScrollViewTest, ScrollerLiesOverTheContentBelowTheHeader)
{
    test::TestPlatform platform;
    const struct {
        const char* name;
        std::optional<double> headerHeight; // none: no header view; a table always
        bool table;
        std::int64_t offset;
    } cases[] = {
        {"header 23.7", 23.7, true, 23},
        {"no header view", std::nullopt, true, 0},
        {"not a table", std::nullopt, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OverlayScrollView view(Rect(0, 0, 200, 150));
        View header(Rect(0, 0, 200, c.headerHeight.value_or(0)));
        if (c.table) {
            auto* table = view.setDocumentView(std::make_unique<TableView>(Rect(0, 0, 200, 400)));
            if (c.headerHeight)
                table->setHeaderView(&header);
        } else {
            view.setDocumentView(std::make_unique<View>(Rect(0, 0, 200, 400)));
        }
        view.awakeFromNib();
        EXPECT_EQ(view.headerOffset(), c.offset);
        view.setVerticalScroller(std::make_unique<OverlayScroller>());
        view.addSubview(std::make_unique<View>(Rect(0, 0, 10, 10))); // a later sibling
        view.tile();
        EXPECT_EQ(view.verticalScroller()->frame(), Rect(185, 0, 15, 150 - double(c.offset)));
        EXPECT_EQ(view.subviews().back(), view.verticalScroller());
    }
}

TEST(OverlayScrollViewTest, RendersTheKnobOverTheContent)
{
    Scrolling s;
    s.scrollTo(200);
    s.pass(300ms);
    const QImage image = s.view->renderToImage();
    image.save(test::artifactPath(QStringLiteral("overlay-scroll-view.png")));
    // Knob: a third of 150 points, a third of the way down, over the right edge.
    EXPECT_TRUE(uitest::at(image, 192, 150 - 60).lightness() < 180);
    EXPECT_TRUE(uitest::near(uitest::at(image, 192, 10), QColor::fromRgbF(0.8f, 0.9f, 1.0f)));
}
