#include "UiTestSupport.h"

#include "platform/ui/QtCoordinates.h"

#include <gtest/gtest.h>

using namespace platform::ui;
using uitest::DrawingView;

namespace {

// A view with two children at the same frame, one flipped and one not. Each marks its own
// origin (0, 0): the flipped one in red, the unflipped one in blue, 20 points further right.
struct TwoChildren {
    DrawingView root;
    View* flippedChild;
    View* plainChild;
    explicit TwoChildren(bool rootFlipped)
        : root(Rect(0, 0, 100, 100), rootFlipped)
    {
        const Rect frame(10, 20, 30, 40);
        flippedChild = root.addSubview(std::make_unique<DrawingView>(frame, true, [] {
            Color::colorWithRed(1, 0, 0, 1).setFill();
            NSRectFill(Rect(0, 0, 5, 5));
        }));
        plainChild = root.addSubview(std::make_unique<DrawingView>(frame, false, [] {
            Color::colorWithRed(0, 0, 1, 1).setFill();
            NSRectFill(Rect(20, 0, 5, 5));
        }));
    }
};

bool isRed(const QColor& c) { return c.red() == 255 && c.blue() == 0 && c.alpha() == 255; }
bool isBlue(const QColor& c) { return c.blue() == 255 && c.red() == 0 && c.alpha() == 255; }

} // namespace

TEST(CoordinatesTest, SubviewsAreMeasuredFromTheBottomOfAnUnflippedViewAndTheTopOfAFlippedOne)
{
    // Both children lie 20 from the root's origin edge and are 40 high. The flipped child's
    // origin is its top left, the unflipped child's its bottom left.
    const struct { bool rootFlipped; int qtTop; QPoint red, blue; } cases[] = {
        {false, 40, {12, 42}, {32, 77}},
        {true, 20, {12, 22}, {32, 57}},
    };
    for (const auto& c : cases) {
        TwoChildren views(c.rootFlipped);
        EXPECT_EQ(views.flippedChild->widget()->geometry(), QRect(10, c.qtTop, 30, 40)) << c.rootFlipped;
        EXPECT_EQ(views.plainChild->widget()->geometry(), QRect(10, c.qtTop, 30, 40)) << c.rootFlipped;
        const QImage image = views.root.renderToImage();
        EXPECT_TRUE(isRed(image.pixelColor(c.red))) << c.rootFlipped;
        EXPECT_TRUE(isBlue(image.pixelColor(c.blue))) << c.rootFlipped;
        EXPECT_FALSE(isRed(image.pixelColor(c.red.x(), c.blue.y()))) << c.rootFlipped;
        EXPECT_FALSE(isBlue(image.pixelColor(c.blue.x(), c.red.y()))) << c.rootFlipped;
    }
}

TEST(CoordinatesTest, PointsConvertThroughFlippedAndUnflippedLevels)
{
    TwoChildren up(false);
    // The base of a root without a window is its own (unflipped) coordinates.
    EXPECT_EQ(up.plainChild->convertPointToView({0, 0}, nullptr), (Point{10, 20}));
    EXPECT_EQ(up.flippedChild->convertPointToView({0, 0}, nullptr), (Point{10, 60}));
    EXPECT_EQ(up.flippedChild->convertPointFromView({10, 60}, nullptr), (Point{0, 0}));
    // From one child to the other: the same spot, measured from opposite edges.
    EXPECT_EQ(up.flippedChild->convertPointFromView({3, 4}, up.plainChild), (Point{3, 36}));
    TwoChildren down(true);
    EXPECT_EQ(down.plainChild->convertPointToView({0, 0}, &down.root), (Point{10, 60}));
    EXPECT_EQ(down.flippedChild->convertPointToView({0, 0}, &down.root), (Point{10, 20}));
    // A root that is flipped still has its own base unflipped: y runs up from the bottom.
    EXPECT_EQ(down.flippedChild->convertPointToView({0, 0}, nullptr), (Point{10, 80}));
}

TEST(CoordinatesTest, ScreenFramesFlipAroundThePrimaryScreen)
{
    const QRect primary(0, 0, 1440, 900);
    EXPECT_EQ(QtCoordinates::screenFrameToQt(Rect(100, 50, 200, 100), primary), QRect(100, 750, 200, 100));
    EXPECT_EQ(QtCoordinates::screenFrameFromQt(QRect(100, 750, 200, 100), primary), Rect(100, 50, 200, 100));
    // Half points: both edges round the same way, so the size stays whole.
    EXPECT_EQ(QtCoordinates::screenFrameToQt(Rect(105, 34.5, 312, 202), primary), QRect(105, 664, 312, 202));
    // A primary screen that does not start at the desktop's origin.
    const QRect shifted(-200, 100, 800, 600);
    EXPECT_EQ(QtCoordinates::screenFrameToQt(Rect(0, 0, 10, 10), shifted), QRect(-200, 690, 10, 10));
    EXPECT_EQ(QtCoordinates::screenPointFromQt(QPointF(-200, 700), shifted), (Point{0, 0}));
    // A negative size (a frame turned inside out) gives an empty widget, not a broken one.
    EXPECT_EQ(QtCoordinates::screenFrameToQt(Rect(10, 10, -5, -5), primary).size(), QSize(0, 0));
    EXPECT_EQ(QtCoordinates::subviewGeometry(Rect(10, 10, -5, 20), 100, false).size(), QSize(0, 20));
}

TEST(CoordinatesTest, AutoresizingSharesTheChangeAmongFlexibleParts)
{
    View root(Rect(0, 0, 100, 100));
    View* stretch = root.addSubview(std::make_unique<View>(Rect(10, 10, 80, 20)));
    stretch->setAutoresizingMask(ViewWidthSizable);
    View* pinnedTop = root.addSubview(std::make_unique<View>(Rect(10, 70, 20, 20)));
    pinnedTop->setAutoresizingMask(ViewMinYMargin);
    View* centred = root.addSubview(std::make_unique<View>(Rect(40, 40, 20, 20)));
    centred->setAutoresizingMask(ViewMinXMargin | ViewMaxXMargin);
    View* fixed = root.addSubview(std::make_unique<View>(Rect(5, 5, 10, 10)));
    root.setFrameSize({200, 50});
    EXPECT_EQ(stretch->frame(), Rect(10, 10, 180, 20));
    EXPECT_EQ(pinnedTop->frame(), Rect(10, 20, 20, 20)); // keeps its distance to the top
    EXPECT_EQ(centred->frame(), Rect(90, 40, 20, 20));
    EXPECT_EQ(fixed->frame(), Rect(5, 5, 10, 10));
    // The unflipped root measures from its bottom: the fixed view's widget moved up in Qt.
    EXPECT_EQ(fixed->widget()->geometry(), QRect(5, 35, 10, 10));
    // Shrinking below zero does not give a negative size.
    root.setFrameSize({0, 50});
    EXPECT_GE(stretch->frame().width(), 0);
}

TEST(CoordinatesTest, OwnedAndBorrowedSubviewsLeaveCleanly)
{
    auto borrowed = std::make_unique<View>(Rect(0, 0, 10, 10));
    {
        View root(Rect(0, 0, 50, 50));
        root.addSubview(*borrowed);
        View* owned = root.addSubview(std::make_unique<View>(Rect(0, 0, 5, 5)));
        EXPECT_EQ(borrowed->superview(), &root);
        // A view cannot hold its ancestor.
        owned->addSubview(root);
        EXPECT_EQ(root.superview(), nullptr);
        // Removing an owned view hands it back; a borrowed one stays its owner's.
        std::unique_ptr<View> back = owned->removeFromSuperview();
        EXPECT_EQ(back.get(), owned);
        EXPECT_EQ(borrowed->removeFromSuperview(), nullptr);
        root.addSubview(*borrowed);
    }
    // The superview went first: the borrowed view is detached, not destroyed.
    EXPECT_EQ(borrowed->superview(), nullptr);
    // The borrowed view goes first: it leaves its superview.
    View root(Rect(0, 0, 50, 50));
    root.addSubview(*borrowed);
    borrowed.reset();
    EXPECT_TRUE(root.subviews().empty());
}
