#include "PopStatusAttachedWindow.h"
#include "StatusAttachedWindow.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowDelegate.h"
#include "platform/ui/WindowServer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;

namespace {

class AttachedWindowTest : public ::testing::Test {
protected:
    void SetUp() override { useVersion(QStringLiteral("10.15.7")); }
    void useVersion(const QString& version)
    {
        platform->systemVersion = std::make_unique<test::FakeSystemVersion>(version);
    }

    test::TestPlatform platform;
    View view{Rect(0, 0, 300, 200)};
};

class CountingDelegate : public StatusAttachedWindowDelegate {
public:
    void isHiddenWindow() override { ++hidden; }
    void mouseInWindow(bool inside) override { moves.push_back(inside); }
    int hidden = 0;
    std::vector<bool> moves;
};

// Components in single precision at least (the border comes through a float interface).
void expectColor(const Color& c, double r, double g, double b, double a)
{
    EXPECT_NEAR(c.redComponent(), r, 1e-6);
    EXPECT_NEAR(c.greenComponent(), g, 1e-6);
    EXPECT_NEAR(c.blueComponent(), b, 1e-6);
    EXPECT_NEAR(c.alphaComponent(), a, 1e-6);
}

template <class W>
void expectNoWindowForNoView()
{
    const Point p{1, 2};
    Window* w = nullptr;
    for (bool made : {bool(W::create(nullptr, p, w, 1, 5.0f)), bool(W::create(nullptr, p, w, 5.0f)),
                      bool(W::create(nullptr, p, 1, 5.0f)), bool(W::create(nullptr, p, 5.0f)), bool(W::create(nullptr, p, w)),
                      bool(W::create(nullptr, p, 1)), bool(W::create(nullptr, p))})
        EXPECT_FALSE(made);
}

} // namespace

TEST_F(AttachedWindowTest, NoViewNoWindowAndTheShortFormsFillIn)
{
    expectNoWindowForNoView<StatusAttachedWindow>();
    expectNoWindowForNoView<PopStatusAttachedWindow>();

    // The short forms: no window, automatic side, distance 0. Near the top middle of the
    // screen the window fits below, centred.
    const Rect screen = Screen::mainScreen()->visibleFrame();
    const Point top{screen.midX(), screen.maxY() - 10};
    auto automatic = PopStatusAttachedWindow::create(&view, top);
    EXPECT_EQ(automatic->side(), AttachedSideBelow);
    EXPECT_EQ(automatic->frame().maxY(), top.y); // distance 0: the strip touches the anchor
    auto sided = StatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideRight);
    EXPECT_EQ(sided->frame().origin, (Point{700, 499}));
}

TEST_F(AttachedWindowTest, ConstructionSetsTheWindowUp)
{
    auto window = PopStatusAttachedWindow::create(&view, Point{700, 600}, nullptr, AttachedSideBelow, 5.0f);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->frame(), Rect(549, 383, 302, 212));
    EXPECT_EQ(view.frame(), Rect(1, 1, 300, 200));
    EXPECT_EQ(view.superview(), window->contentView());
    const auto areas = window->contentView()->trackingAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0]->rect(), Rect(0, 0, 302, 212));
    EXPECT_EQ(areas[0]->owner(), window.get());

    // The window shows the view but does not own it.
    window.reset();
    EXPECT_EQ(view.superview(), nullptr);
}

TEST_F(AttachedWindowTest, ColoursAndBlurFollowTheVariantAndVersion)
{
    const double r = 51 / 255.0, g = 57 / 255.0, b = 81 / 255.0;
    struct Case {
        const char* version;
        double lightAlpha, darkAlpha;
        bool darkBorderIsFill;
        int blur;
    };
    for (const Case& c : {Case{"10.8.5", 0.98, 0.98, false, 0}, Case{"10.9.5", 0.7, 0.6, false, 0},
                          Case{"10.10", 0.7, 0.6, false, 400}, Case{"10.15.7", 0.7, 0.6, false, 400},
                          Case{"11.0", 0.7, 0.6, true, 400}, Case{"14.0", 0.7, 0.6, true, 400}}) {
        SCOPED_TRACE(c.version);
        useVersion(QString::fromLatin1(c.version));
        auto light = PopStatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideBelow, 5.0f);
        expectColor(light->windowBackgroundColor(), 1, 1, 1, c.lightAlpha);
        expectColor(light->borderColor(), 0, 0, 0, 0.3);
        EXPECT_EQ(windowBackgroundBlurRadius(light->windowNumber()), c.blur);
        light.reset();

        auto dark = StatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideBelow, 5.0f);
        expectColor(dark->windowBackgroundColor(), r, g, b, c.darkAlpha);
        if (c.darkBorderIsFill)
            EXPECT_EQ(dark->borderColor(), dark->windowBackgroundColor());
        else
            expectColor(dark->borderColor(), 0, 0, 0, 0.3);
    }
}

TEST_F(AttachedWindowTest, DefaultsAreKeptAsGivenWhateverTheViewsSize)
{
    // side of the view, window size, radius once the setter has met the view's limits
    const struct {
        double side;
        platform::ui::Size frame;
        double clampedRadius;
    } cases[] = {{0, {2, 12}, 0}, {10, {12, 22}, 0}, {20, {22, 32}, 3.5}};
    for (const auto& c : cases) {
        View small(Rect(0, 0, c.side, c.side));
        auto window = PopStatusAttachedWindow::create(&small, Point{700, 600}, AttachedSideBelow, 5.0f);
        EXPECT_EQ(window->cornerRadius(), 8) << c.side;
        EXPECT_EQ(window->arrowBaseWidth(), 15) << c.side;
        EXPECT_EQ(window->frame().size, c.frame) << c.side;
        window->setCornerRadius(8);
        EXPECT_EQ(window->cornerRadius(), c.clampedRadius) << c.side;
    }
}

TEST_F(AttachedWindowTest, SettersClampAgainstTheViewAndRedraw)
{
    auto window = StatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideBelow, 5.0f);
    window->setBorderWidth(3);
    EXPECT_EQ(window->borderWidth(), 1); // no wider than the margin
    window->setCornerRadius(500);
    EXPECT_EQ(window->cornerRadius(), 93.5); // (200 + 2 - 15) / 2
    window->setCornerRadius(0);
    window->setArrowBaseWidth(1000);
    EXPECT_EQ(window->arrowBaseWidth(), 202); // 200 + 2 - 0 - 0

    window->setArrowHeight(20);
    EXPECT_EQ(window->frame().size, (platform::ui::Size{302, 222})); // the strip follows the height
    const size_t plain = window->backgroundPath().size();
    window->setHasArrow(true);
    EXPECT_EQ(window->backgroundPath().size(), plain + 2); // the arrow's two lines

    // A colour is kept and drawn through the rendered outline; no image keeps the colour.
    const Color pink = Color::colorWithDeviceRed(1, 0.5, 0.5, 1);
    window->setBackgroundColor(pink);
    EXPECT_FALSE(window->backgroundColor().patternImage().isNull());
    window->setBackgroundImage(Image());
    EXPECT_EQ(window->windowBackgroundColor(), pink);
}

TEST_F(AttachedWindowTest, SetPointMovesTheWindowAndDoesNotResolveSideTwelve)
{
    auto window = PopStatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideBelow, 5.0f);
    window->setPoint({40, 30}, AttachedSideAutomatic);
    EXPECT_EQ(window->side(), AttachedSideAutomatic);
    EXPECT_EQ(window->frame(), Rect(40, 30, 302, 202)); // no strip
    EXPECT_EQ(window->viewFrame(), Rect(1, 1, 300, 200));
    window->setHasArrow(true);
    EXPECT_EQ(window->backgroundPath().size(), 10u); // no arrow on side 12
}

TEST_F(AttachedWindowTest, AnchorsInAParentWindowFollowItsOriginAndItTakesTheClose)
{
    class Asked : public WindowDelegate {
    public:
        bool windowShouldClose(Window&) override { return ++count, true; }
        int count = 0;
    } asked;
    auto parent = std::make_unique<Window>(Rect(100, 100, 600, 400), WindowStyleMaskTitled | WindowStyleMaskClosable,
                                           BackingStoreType::Buffered, false);
    parent->setDelegate(&asked);
    auto child = PopStatusAttachedWindow::create(&view, Point{280, 60}, parent.get(), AttachedSideAbove, 0.0f);
    EXPECT_EQ(child->frame().origin, (Point{380 - 151, 160}));
    child->performClose();
    EXPECT_EQ(asked.count, 1);
    // The parent goes away: the point counts as screen coordinates from then on.
    parent.reset();
    child->setPoint({280, 60}, AttachedSideAbove);
    EXPECT_EQ(child->frame().origin, (Point{280 - 151, 60}));
    child->performClose(); // no anchor window, no close button: nothing
    EXPECT_EQ(child->frame().origin, (Point{280 - 151, 60}));
}

TEST_F(AttachedWindowTest, DelegatesHearTheirVariantsTrigger)
{
    CountingDelegate delegate;
    auto dark = StatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideBelow, 5.0f);
    dark->setMattachedWDelegate(&delegate);
    dark->makeKeyAndOrderFront();
    auto other = std::make_unique<Window>(Rect(0, 0, 50, 50), WindowStyleMaskTitled, BackingStoreType::Buffered,
                                          false);
    other->makeKeyAndOrderFront(); // the dark window does not care about losing key status
    EXPECT_EQ(delegate.hidden, 0);
    dark->close();
    EXPECT_EQ(delegate.hidden, 1);
    EXPECT_FALSE(dark->isVisible());
    dark->close(); // a second close: told again, nothing breaks
    EXPECT_EQ(delegate.hidden, 2);

    View dialogView(Rect(0, 0, 300, 200));
    CountingDelegate lightDelegate;
    auto light = PopStatusAttachedWindow::create(&dialogView, Point{700, 600}, AttachedSideBelow, 5.0f);
    light->setMattachedWDelegate(&lightDelegate);
    light->makeKeyAndOrderFront();
    other->makeKeyAndOrderFront();
    EXPECT_EQ(lightDelegate.hidden, 1);

    // The pointer entering and leaving the window.
    QWidget* content = light->contentView()->widget();
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), QPointF(20, 20), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(content, &move);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(light->widget(), &leave);
    EXPECT_EQ(lightDelegate.moves, (std::vector<bool>{true, false}));
    other->orderOut();
    light->orderOut();
}

TEST_F(AttachedWindowTest, ClosingEndsOnlyTheWindowsOwnModalRun)
{
    View childView(Rect(0, 0, 120, 40));
    auto dialog = PopStatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideBelow, 5.0f);
    std::unique_ptr<PopStatusAttachedWindow> chooser;
    bool stillModal = false;
    QTimer::singleShot(0, qApp, [&] {
        // A short-lived child pop-up over the dialog: closing it leaves the dialog's run alone.
        chooser = PopStatusAttachedWindow::create(&childView, Point{280, 60}, dialog.get(), AttachedSideAbove, 0.0f);
        chooser->close();
        stillModal = NSApp().modalWindow() == dialog.get();
        QTimer::singleShot(0, qApp, [&] { dialog->close(); });
    });
    NSApp().runModalForWindow(*dialog);
    EXPECT_TRUE(stillModal);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
}

TEST_F(AttachedWindowTest, RenderedOutlinesLeaveCornersAndStripClear)
{
    struct Variant {
        const char* file;
        std::unique_ptr<AttachedWindow> window;
        QColor body;
    };
    View darkView(Rect(0, 0, 300, 200));
    Variant variants[] = {
        {"pop-status-attached-window.png", PopStatusAttachedWindow::create(&view, Point{700, 600}, 1, 5.0f),
         QColor(255, 255, 255, 178)},
        {"status-attached-window.png", StatusAttachedWindow::create(&darkView, Point{700, 600}, 1, 5.0f),
         QColor(51, 57, 81, 153)},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.file);
        const QImage image = v.window->renderToImage();
        image.save(test::artifactPath(QString::fromLatin1(v.file)));
        ASSERT_EQ(image.size(), QSize(302, 212));
        // The 10-point strip along the top faces the anchor and stays clear.
        for (int x : {0, 150, 301})
            for (int y : {0, 5, 9})
                EXPECT_EQ(image.pixelColor(x, y).alpha(), 0) << x << "," << y;
        // Corners outside the rounded outline (body from x 1 to 301, y 11 to 211 in Qt's rows).
        for (auto [x, y] : {std::pair{1, 11}, {2, 12}, {300, 12}, {2, 210}, {300, 210}, {0, 100}})
            EXPECT_EQ(image.pixelColor(x, y).alpha(), 0) << x << "," << y;
        // The body has the variant's fill.
        for (auto [x, y] : {std::pair{151, 111}, {10, 20}, {292, 202}}) {
            const QColor c = image.pixelColor(x, y);
            EXPECT_LE(std::max({std::abs(c.alpha() - v.body.alpha()), std::abs(c.red() - v.body.red()),
                                std::abs(c.green() - v.body.green()), std::abs(c.blue() - v.body.blue())}),
                      2)
                << x << "," << y;
        }
    }

    // With an arrow, it reaches up into the strip toward the anchor above the middle.
    variants[1].window->setHasArrow(true);
    const QImage image = variants[1].window->renderToImage();
    image.save(test::artifactPath(QStringLiteral("status-attached-window-arrow.png")));
    EXPECT_GT(image.pixelColor(151, 4).alpha(), 100); // near the tip (Qt row 1)
    EXPECT_EQ(image.pixelColor(140, 4).alpha(), 0);   // beside it
    EXPECT_GT(image.pixelColor(151, 10).alpha(), 100);
}
