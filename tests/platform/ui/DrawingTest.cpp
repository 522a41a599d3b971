#include "UiTestSupport.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/ui/AttributedString.h"
#include "platform/ui/BezierPath.h"
#include "platform/ui/Gradient.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ScreenUpdates.h"
#include "platform/ui/StringDrawing.h"
#include "platform/ui/TextField.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform::ui;
using uitest::DrawingView;
using uitest::near;

namespace {

const QColor red(255, 0, 0);
const QColor blue(0, 0, 255);

// A 10 × 10 image: red in its upper half, blue in its lower half (as the Mac sees it).
Image twoToneImage()
{
    Image image(Size{10, 10});
    image.lockFocus();
    Color::colorWithRed(0, 0, 1, 1).setFill();
    NSRectFill(Rect(0, 0, 10, 5));
    Color::colorWithRed(1, 0, 0, 1).setFill();
    NSRectFill(Rect(0, 5, 10, 5));
    image.unlockFocus();
    return image;
}

Point lastPoint(const BezierPath& path)
{
    return path.elements().back().point;
}

bool pathPassesNear(const BezierPath& path, Point p)
{
    for (const auto& e : path.elements())
        if (std::hypot(e.point.x - p.x, e.point.y - p.y) < 1e-9)
            return true;
    return false;
}

} // namespace

TEST(DrawingTest, ImagesStayUprightInFlippedViewsOnlyWhenAsked)
{
    const Image image = twoToneImage();
    auto drawIn = [&](bool flipped, bool respectFlipped) {
        DrawingView view(Rect(0, 0, 10, 10), flipped, [&] {
            image.drawInRect(Rect(0, 0, 10, 10), Rect(), CompositingOperation::SourceOver, 1.0, respectFlipped);
        });
        return view.renderToImage();
    };
    EXPECT_TRUE(near(drawIn(false, false).pixelColor(5, 1), red));
    EXPECT_TRUE(near(drawIn(true, true).pixelColor(5, 1), red));
    // The Mac's classic: without respectFlipped the image comes out upside down.
    EXPECT_TRUE(near(drawIn(true, false).pixelColor(5, 1), blue));

    // A part of the image, given in its own bottom-up coordinates: the lower (blue) half.
    DrawingView part(Rect(0, 0, 10, 10), false, [&] {
        image.drawInRect(Rect(0, 0, 10, 10), Rect(0, 0, 10, 5), CompositingOperation::SourceOver, 1.0);
    });
    const QImage partPixels = part.renderToImage();
    EXPECT_TRUE(near(partPixels.pixelColor(5, 1), blue));
    EXPECT_TRUE(near(partPixels.pixelColor(5, 8), blue));
}

TEST(DrawingTest, PatternColoursTileUprightFromTheOrigin)
{
    const Color pattern = Color::colorWithPatternImage(twoToneImage());
    DrawingView view(Rect(0, 0, 20, 20), false, [&] {
        pattern.setFill();
        NSRectFill(Rect(0, 0, 20, 20));
    });
    const QImage pixels = view.renderToImage();
    for (int y : {1, 11})
        EXPECT_TRUE(near(pixels.pixelColor(3, y), red)) << y;
    for (int y : {8, 18})
        EXPECT_TRUE(near(pixels.pixelColor(3, y), blue)) << y;
    EXPECT_EQ(Color::colorWithPatternImage(Image()), Color::clearColor());
}

TEST(DrawingTest, NamedImagesComeFromTheBundlesSvgFiles)
{
    test::TestPlatform platform;
    ASSERT_TRUE(test::writeFile(platform.resourcePath(QStringLiteral("testSquare.svg")),
                                "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='16'>"
                                "<rect width='24' height='8' fill='#ff0000'/>"
                                "<rect y='8' width='24' height='8' fill='#0000ff'/></svg>"));

    const Image image = Image::imageNamed(QStringLiteral("testSquare"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), (Size{24, 16}));
    EXPECT_EQ(Image::imageNamed(QStringLiteral("testSquare")), image);

    DrawingView view(Rect(0, 0, 48, 32), false, [&] { image.drawInRect(Rect(0, 0, 48, 32)); });
    const QImage pixels = view.renderToImage();
    EXPECT_TRUE(near(pixels.pixelColor(10, 4), red));
    EXPECT_TRUE(near(pixels.pixelColor(10, 28), blue));

    for (const char* name : {"missing", "", "../testSquare", "sub/testSquare"})
        EXPECT_TRUE(Image::imageNamed(QString::fromLatin1(name)).isNull()) << name;
    ASSERT_TRUE(test::writeFile(platform.resourcePath(QStringLiteral("broken.svg")), "<svg this is not"));
    EXPECT_TRUE(Image::imageNamed(QStringLiteral("broken")).isNull());
}

TEST(DrawingTest, ArcsFromPointsAreTangentToBothLines)
{
    BezierPath path;
    path.moveToPoint({0, 0});
    path.appendBezierPathWithArcFromPoint({10, 0}, {10, 10}, 2);
    EXPECT_TRUE(pathPassesNear(path, {8, 0}));  // the line stops short of the corner
    EXPECT_LT(std::hypot(lastPoint(path).x - 10, lastPoint(path).y - 2), 1e-9);
    EXPECT_EQ(path.elements().back().kind, BezierPath::Element::Kind::CurveTo);

    // Degenerate cases give a plain line to the first point.
    for (double radius : {0.0, -3.0}) {
        BezierPath flat;
        flat.moveToPoint({0, 0});
        flat.appendBezierPathWithArcFromPoint({10, 0}, {10, 10}, radius);
        EXPECT_EQ(lastPoint(flat), (Point{10, 0}));
    }
    BezierPath straight;
    straight.moveToPoint({0, 0});
    straight.appendBezierPathWithArcFromPoint({10, 0}, {20, 0}, 5);
    EXPECT_EQ(lastPoint(straight), (Point{10, 0}));
    BezierPath empty;
    empty.appendBezierPathWithArcFromPoint({3, 4}, {5, 6}, 1);
    EXPECT_EQ(lastPoint(empty), (Point{3, 4}));
    // Radii larger than the rectangle are held to its half sizes.
    const Rect bounds = BezierPath::bezierPathWithRoundedRect(Rect(0, 0, 10, 4), 50, 50).bounds();
    EXPECT_NEAR(bounds.width(), 10, 1e-6);
    EXPECT_NEAR(bounds.height(), 4, 1e-6);
}

TEST(DrawingTest, ClipsAndStateAreRestored)
{
    DrawingView view(Rect(0, 0, 20, 20), false, [] {
        GraphicsContext::saveGraphicsState();
        BezierPath::bezierPathWithRect(Rect(0, 0, 10, 10)).addClip();
        Color::colorWithRed(1, 0, 0, 1).setFill();
        NSRectFill(Rect(0, 0, 20, 20));
        GraphicsContext::restoreGraphicsState();
        GraphicsContext::restoreGraphicsState(); // unmatched: ignored
        NSRectFill(Rect(15, 15, 5, 5));          // the fill colour went back to black
    });
    const QImage pixels = view.renderToImage();
    EXPECT_TRUE(near(pixels.pixelColor(5, 15), red));
    EXPECT_EQ(pixels.pixelColor(15, 5).alpha(), 0) << "outside the clip";
    EXPECT_TRUE(near(pixels.pixelColor(17, 2), QColor(0, 0, 0)));
}

TEST(DrawingTest, GradientsRunAlongTheirAngle)
{
    const Gradient gradient(Color::colorWithRed(1, 0, 0, 1), Color::colorWithRed(0, 0, 1, 1));
    DrawingView across(Rect(0, 0, 100, 10), false, [&] { gradient.drawInRect(Rect(0, 0, 100, 10), 0); });
    QImage pixels = across.renderToImage();
    EXPECT_GT(pixels.pixelColor(1, 5).red(), 240);
    EXPECT_GT(pixels.pixelColor(98, 5).blue(), 240);

    DrawingView up(Rect(0, 0, 10, 100), false, [&] {
        gradient.drawInBezierPath(BezierPath::bezierPathWithRoundedRect(Rect(0, 0, 10, 100), 5, 5), 90);
    });
    pixels = up.renderToImage();
    EXPECT_GT(pixels.pixelColor(5, 97).red(), 240); // the start is at the bottom
    EXPECT_GT(pixels.pixelColor(5, 2).blue(), 240);
    EXPECT_EQ(pixels.pixelColor(0, 0).alpha(), 0); // outside the rounded corner
}

TEST(DrawingTest, TextIsDrawnFromTheTopOfItsRectangle)
{
    AttributedString::Attributes attributes;
    attributes.font = Font::fontWithName(QStringLiteral("Helvetica"), 14);
    attributes.foregroundColor = Color::colorWithRed(0, 0, 0, 1);
    for (bool flipped : {false, true}) {
        DrawingView view(Rect(0, 0, 200, 60), flipped, [&] {
            drawInRect(QStringLiteral("Tavrin"), Rect(0, 0, 200, 60), attributes);
        });
        const QImage pixels = view.renderToImage();
        int firstInkRow = -1;
        for (int y = 0; y < pixels.height() && firstInkRow < 0; ++y)
            for (int x = 0; x < pixels.width(); ++x)
                if (pixels.pixelColor(x, y).alpha() > 0) {
                    firstInkRow = y;
                    break;
                }
        EXPECT_GE(firstInkRow, 0) << flipped;
        EXPECT_LT(firstInkRow, 20) << flipped;
    }

    // A truncated line never wraps: only the first line's height gets ink.
    ParagraphStyle tail;
    tail.lineBreakMode = LineBreakMode::ByTruncatingTail;
    attributes.paragraphStyle = tail;
    DrawingView narrow(Rect(0, 0, 40, 60), true, [&] {
        drawInRect(QStringLiteral("a rather long name of an application"), Rect(0, 0, 40, 60), attributes);
    });
    const QImage pixels = narrow.renderToImage();
    for (int x = 0; x < pixels.width(); ++x)
        EXPECT_EQ(pixels.pixelColor(x, 40).alpha(), 0);
    EXPECT_GT(sizeWithAttributes(QStringLiteral("Tavrin"), attributes).width, 20);
}

TEST(DrawingTest, LabelsAndImageViewsDrawTheirContent)
{
    auto label = TextField::labelWithString(QStringLiteral("Shut Down"));
    label->setTextColor(Color::colorWithRed(1, 0, 0, 1));
    const QImage text = label->renderToImage();
    EXPECT_GT(uitest::countPixels(text, text.rect(), [](QColor c) { return c.red() > 200 && c.alpha() > 200; }), 0);

    EXPECT_EQ(ImageView::imageRect({20, 10}, {10, 10}, ImageScaling::ProportionallyDown), Rect(0, 2.5, 10, 5));
    EXPECT_EQ(ImageView::imageRect({4, 4}, {10, 10}, ImageScaling::ProportionallyDown), Rect(3, 3, 4, 4));
    EXPECT_EQ(ImageView::imageRect({4, 4}, {10, 10}, ImageScaling::ProportionallyUpOrDown), Rect(0, 0, 10, 10));
    EXPECT_EQ(ImageView::imageRect({0, 0}, {10, 10}, ImageScaling::ProportionallyDown), Rect(5, 5, 0, 0));
    ImageView view(Rect(0, 0, 10, 10));
    view.setImage(twoToneImage());
    EXPECT_TRUE(near(view.renderToImage().pixelColor(5, 1), red));
}

TEST(DrawingTest, ScreenUpdateSuspensionStaysBalanced)
{
    {
        ScreenUpdatesSuspension nested;
        NSEnableScreenUpdates();
        NSEnableScreenUpdates(); // one too many: ignored
    }
    NSDisableScreenUpdates();
    EXPECT_EQ(screenUpdatesDisabledCount(), 1);
    NSEnableScreenUpdates();
}
