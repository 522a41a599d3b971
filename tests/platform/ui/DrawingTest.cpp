#include "UiTestSupport.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/ui/AttributedString.h"
#include "platform/ui/BezierPath.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/StringDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

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

QImage render(Size size, bool flipped, const std::function<void()>& draw)
{
    return DrawingView(Rect(0, 0, size.width, size.height), flipped, draw).renderToImage();
}

} // namespace

TEST(DrawingTest, ImagesStayUprightInFlippedViewsOnlyWhenAsked)
{
    const Image image = twoToneImage();
    const struct { bool flipped, respectFlipped; QColor top; } cases[] = {
        {false, false, red}, {true, true, red}, {true, false, blue}, // the Mac's classic upside-down image
    };
    for (const auto& c : cases) {
        const QImage pixels = render({10, 10}, c.flipped, [&] {
            image.drawInRect(Rect(0, 0, 10, 10), Rect(), CompositingOperation::SourceOver, 1.0, c.respectFlipped);
        });
        EXPECT_TRUE(near(pixels.pixelColor(5, 1), c.top)) << c.flipped << c.respectFlipped;
    }
    // A part of the image, given in its own bottom-up coordinates: the lower (blue) half.
    const QImage part = render({10, 10}, false, [&] {
        image.drawInRect(Rect(0, 0, 10, 10), Rect(0, 0, 10, 5), CompositingOperation::SourceOver, 1.0);
    });
    EXPECT_TRUE(near(part.pixelColor(5, 1), blue));
    EXPECT_TRUE(near(part.pixelColor(5, 8), blue));
    ImageView view(Rect(0, 0, 10, 10));
    view.setImage(image);
    EXPECT_TRUE(near(view.renderToImage().pixelColor(5, 1), red));
}

TEST(DrawingTest, PatternColoursTileUprightFromTheOrigin)
{
    const Color pattern = Color::colorWithPatternImage(twoToneImage());
    const QImage pixels = render({20, 20}, false, [&] {
        pattern.setFill();
        NSRectFill(Rect(0, 0, 20, 20));
    });
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
    const QImage pixels = render({48, 32}, false, [&] { image.drawInRect(Rect(0, 0, 48, 32)); });
    EXPECT_TRUE(near(pixels.pixelColor(10, 4), red));
    EXPECT_TRUE(near(pixels.pixelColor(10, 28), blue));
    ASSERT_TRUE(test::writeFile(platform.resourcePath(QStringLiteral("broken.svg")), "<svg this is not"));
    for (const char* name : {"missing", "", "../testSquare", "sub/testSquare", "broken"})
        EXPECT_TRUE(Image::imageNamed(QString::fromLatin1(name)).isNull()) << name;
}

TEST(DrawingTest, ArcsFromPointsAreTangentToBothLines)
{
    const auto end = [](Point p1, Point p2, double radius, bool fromOrigin = true) {
        BezierPath path;
        if (fromOrigin)
            path.moveToPoint({0, 0});
        path.appendBezierPathWithArcFromPoint(p1, p2, radius);
        return path.elements().back().point;
    };
    BezierPath path;
    path.moveToPoint({0, 0});
    path.appendBezierPathWithArcFromPoint({10, 0}, {10, 10}, 2);
    const auto& elements = path.elements();
    EXPECT_TRUE(std::any_of(elements.begin(), elements.end(), [](const auto& e) { return std::hypot(e.point.x - 8, e.point.y) < 1e-9; }))
        << "the line stops short of the corner";
    EXPECT_LT(std::hypot(elements.back().point.x - 10, elements.back().point.y - 2), 1e-9);
    // Degenerate cases (no radius, a straight line, no current point) give a line to the first point.
    EXPECT_EQ(end({10, 0}, {10, 10}, 0), (Point{10, 0}));
    EXPECT_EQ(end({10, 0}, {10, 10}, -3), (Point{10, 0}));
    EXPECT_EQ(end({10, 0}, {20, 0}, 5), (Point{10, 0}));
    EXPECT_EQ(end({3, 4}, {5, 6}, 1, false), (Point{3, 4}));
    // Radii larger than the rectangle are held to its half sizes.
    const Rect bounds = BezierPath::bezierPathWithRoundedRect(Rect(0, 0, 10, 4), 50, 50).bounds();
    EXPECT_NEAR(bounds.width(), 10, 1e-6);
    EXPECT_NEAR(bounds.height(), 4, 1e-6);
}

TEST(DrawingTest, TextIsDrawnFromTheTopOfItsRectangleAndTruncatedLinesNeverWrap)
{
    AttributedString::Attributes attributes;
    attributes.font = Font::fontWithName(QStringLiteral("Helvetica"), 14);
    attributes.foregroundColor = Color::colorWithRed(0, 0, 0, 1);
    const auto inkRows = [](const QImage& pixels) {
        std::vector<int> rows;
        for (int y = 0; y < pixels.height(); ++y)
            if (uitest::countPixels(pixels, QRect(0, y, pixels.width(), 1), [](QColor c) { return c.alpha() > 0; }))
                rows.push_back(y);
        return rows;
    };
    for (bool flipped : {false, true}) {
        const auto rows = inkRows(render({200, 60}, flipped, [&] {
            drawInRect(QStringLiteral("Tavrin"), Rect(0, 0, 200, 60), attributes);
        }));
        ASSERT_FALSE(rows.empty()) << flipped;
        EXPECT_LT(rows.front(), 20) << flipped;
    }
    ParagraphStyle tail;
    tail.lineBreakMode = LineBreakMode::ByTruncatingTail;
    attributes.paragraphStyle = tail;
    const auto rows = inkRows(render({40, 60}, true, [&] {
        drawInRect(QStringLiteral("a rather long name of an application"), Rect(0, 0, 40, 60), attributes);
    }));
    ASSERT_FALSE(rows.empty());
    EXPECT_LT(rows.back(), 20) << "only the first line's height gets ink";
}
