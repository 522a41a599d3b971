#include "PopWindow/PopStatusAttachedWindow.h"
#include "PopWindow/StatusAttachedWindow.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/StringDrawing.h"
#include "platform/ui/WindowDelegate.h"
#include "platform/ui/WindowServer.h"

#include "UiTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class AttachedWindowTest : public ::testing::Test {
protected:
    AttachedWindowTest() { platform->systemVersion = std::make_unique<test::FakeSystemVersion>(QStringLiteral("10.15.7")); }
    // A light window below (700, 600), 5 points away.
    std::unique_ptr<PopStatusAttachedWindow> light(View& shown) { return PopStatusAttachedWindow::create(&shown, {700, 600}, 1, 5.0f); }

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

} // namespace

TEST_F(AttachedWindowTest, NoViewNoWindowTheShortFormsFillInAndTheViewStaysItsOwn)
{
    EXPECT_FALSE(StatusAttachedWindow::create(nullptr, Point{1, 2}));
    EXPECT_FALSE(PopStatusAttachedWindow::create(nullptr, Point{1, 2}, nullptr, 1, 5.0f));
    // The short forms: no window, automatic side, distance 0. Near the top middle of the
    // screen the window fits below, centred.
    const Rect screen = Screen::mainScreen()->visibleFrame();
    const Point top{screen.midX(), screen.maxY() - 10};
    auto automatic = PopStatusAttachedWindow::create(&view, top);
    EXPECT_EQ(automatic->side(), AttachedSideBelow);
    EXPECT_EQ(automatic->frame().maxY(), top.y); // distance 0: the strip touches the anchor
    auto sided = StatusAttachedWindow::create(&view, Point{700, 600}, AttachedSideRight);
    EXPECT_EQ(sided->frame().origin, (Point{700, 499}));
    automatic.reset();
    sided.reset();

    auto window = light(view);
    EXPECT_EQ(window->frame(), Rect(549, 383, 302, 212));
    EXPECT_EQ(view.frame(), Rect(1, 1, 300, 200));
    EXPECT_EQ(view.superview(), window->contentView());
    const auto areas = window->contentView()->trackingAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0]->rect(), Rect(0, 0, 302, 212));
    EXPECT_EQ(areas[0]->owner(), window.get());
    window.reset();
    EXPECT_EQ(view.superview(), nullptr);
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
    auto other = std::make_unique<Window>(Rect(0, 0, 50, 50), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    other->makeKeyAndOrderFront(); // the dark window does not care about losing key status
    EXPECT_EQ(delegate.hidden, 0);
    dark->close();
    EXPECT_EQ(delegate.hidden, 1);
    EXPECT_FALSE(dark->isVisible());
    dark->close(); // a second close: told again, nothing breaks
    EXPECT_EQ(delegate.hidden, 2);

    View dialogView(Rect(0, 0, 300, 200));
    CountingDelegate lightDelegate;
    auto dialog = light(dialogView);
    dialog->setMattachedWDelegate(&lightDelegate);
    dialog->makeKeyAndOrderFront();
    other->makeKeyAndOrderFront();
    EXPECT_EQ(lightDelegate.hidden, 1);
    // The pointer entering and leaving the window.
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), QPointF(20, 20), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dialog->contentView()->widget(), &move);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(dialog->widget(), &leave);
    EXPECT_EQ(lightDelegate.moves, (std::vector<bool>{true, false}));
    other->orderOut();
    dialog->orderOut();
}

TEST_F(AttachedWindowTest, ClosingEndsOnlyTheWindowsOwnModalRun)
{
    View childView(Rect(0, 0, 120, 40));
    auto dialog = light(view);
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
    View darkView(Rect(0, 0, 300, 200));
    const std::tuple<const char*, std::unique_ptr<AttachedWindow>, QColor> variants[] = {
        {"pop-status-attached-window.png", light(view), QColor(255, 255, 255, 178)},
        {"status-attached-window.png", StatusAttachedWindow::create(&darkView, Point{700, 600}, 1, 5.0f), QColor(51, 57, 81, 153)},
    };
    for (const auto& [file, window, body] : variants) {
        SCOPED_TRACE(file);
        const QImage image = window->renderToImage();
        image.save(test::artifactPath(QString::fromLatin1(file)));
        ASSERT_EQ(image.size(), QSize(302, 212));
        // The 10-point strip along the top faces the anchor, and the corners outside the rounded
        // outline (body from x 1 to 301, y 11 to 211 in Qt's rows) stay clear.
        for (auto [x, y] : {std::pair{0, 0}, {150, 5}, {301, 9}, {1, 11}, {2, 12}, {300, 12}, {2, 210}, {300, 210}, {0, 100}})
            EXPECT_EQ(image.pixelColor(x, y).alpha(), 0) << x << "," << y;
        // The body has the variant's fill.
        for (auto [x, y] : {std::pair{151, 111}, {10, 20}, {292, 202}}) {
            const QColor c = image.pixelColor(x, y);
            EXPECT_LE(std::max({std::abs(c.alpha() - body.alpha()), std::abs(c.red() - body.red()),
                                std::abs(c.green() - body.green()), std::abs(c.blue() - body.blue())}), 2)
                << x << "," << y;
        }
    }
}

TEST_F(AttachedWindowTest, TextBeneathADialogCannotBeReadThroughIt)
{
    // Dark lines of text on a light window under the dialog, as a tool's rows under a confirmation.
    auto beneath = uitest::makeWindow(Rect(500, 300, 500, 400));
    beneath->contentView()->addSubview(std::make_unique<uitest::DrawingView>(Rect(0, 0, 500, 400), false, [] {
        Color::whiteColor().setFill();
        NSRectFill(Rect(0, 0, 500, 400));
        const AttributedString::Attributes ink{Color::blackColor(), Font::systemFontOfSize(16), {}};
        for (int line = 0; line < 20; ++line)
            drawInRect(QStringLiteral("All data on 'Backup' will be deleted after format"), Rect(0, 20.0 * line, 500, 20), ink);
    }));
    beneath->orderFront();
    const QImage under = beneath->renderToImage();
    struct Restore {
        ~Restore() { speakForDesktopCompositing(std::nullopt); }
    } restore;
    const struct {
        WindowBackdrop::Desktop desktop;
        const char* file;
        int most; // the largest spread of grey inside the dialog's body
    } cases[] = {
        // The desktop blurs: the window leaves its fill translucent and the text shows (the control).
        {WindowBackdrop::Desktop::BlurBehind, "dialog-desktop-blurs.png", 255},
        {WindowBackdrop::Desktop::Translucent, "dialog-blurred-copy.png", 12},
        {WindowBackdrop::Desktop::Opaque, "dialog-no-compositor.png", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        speakForDesktopCompositing(c.desktop);
        auto dialog = light(view);
        dialog->orderFront();
        // The screen: the dialog over the window beneath (549, 383 is 49, 95 from its top left).
        QImage screen = under;
        QPainter(&screen).drawImage(QPoint(49, 95), dialog->renderToImage());
        screen.save(test::artifactPath(QString::fromLatin1(c.file)));
        int lightest = 0, darkest = 255;
        for (int x = 49 + 10; x < 49 + 292; ++x)
            for (int y = 95 + 21; y < 95 + 202; ++y) {
                lightest = std::max(lightest, qGray(screen.pixel(x, y)));
                darkest = std::min(darkest, qGray(screen.pixel(x, y)));
            }
        if (c.most < 255)
            EXPECT_LE(lightest - darkest, c.most);
        else
            EXPECT_GT(lightest - darkest, 40); // the text beneath shows: the measure can see it
        const QImage own = dialog->renderToImage();
        EXPECT_EQ(own.pixelColor(150, 5).alpha(), 0) << "the strip facing the anchor stays clear";
        EXPECT_EQ(own.pixelColor(0, 11).alpha(), 0) << "a corner stays clear";
    }
}
