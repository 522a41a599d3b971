#include "TopView/ColorTCAdditions.h"
#include "TopView/KQTitlebarView.h"
#include "TopView/TCImageWindow.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"
#include "UiTestSupport.h"

#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/ui/WindowDelegate.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>

using namespace platform::ui;

namespace {

// Content 300 × 200: the frame is 222 high with the standard 22-point strip.
std::unique_ptr<TCImageWindow> makeWindow()
{
    return std::make_unique<TCImageWindow>(Rect(100, 100, 300, 200),
                                           WindowStyleMaskTitled | WindowStyleMaskClosable | WindowStyleMaskMiniaturizable
                                               | WindowStyleMaskResizable,
                                           BackingStoreType::Buffered, false);
}

View* laidOut(const TCImageWindow& w, WindowButton kind)
{
    return w.standardWindowButton(kind);
}

std::unique_ptr<TCWindowButton> customButton(const QString& light)
{
    auto button = TCWindowButton::windowButtonWithSize({14, 16}, QStringLiteral("render"));
    button->setActiveImage(Image::imageNamed(QStringLiteral("window-button-%1-active").arg(light)));
    button->setActiveNotKeyWindowImage(button->activeImage());
    button->setRolloverImage(Image::imageNamed(QStringLiteral("window-button-%1-hover").arg(light)));
    return button;
}

} // namespace

TEST(TCImageWindowTest, TitleBarLayoutNumbers)
{
    test::TestPlatform platform;
    const struct {
        const char* name;
        std::function<void(TCImageWindow&)> configure;
        Rect container;
        double lightsY[3]; // close, minimise, zoom
        double lightsX[3];
        Rect fullScreen;
        double contentHeight;
    } cases[] = {
        {"standard", [](TCImageWindow&) {}, Rect(0, 200, 300, 22), {203, 203, 203}, {7, 27, 47}, Rect(279, 203, 14, 16), 200},
        // The strip's bottom edge goes 18 points down, the content shrinks by 18, the lights
        // are centred again; the full-screen button keeps its top margin.
        {"strip of 40", [](TCImageWindow& w) { w.setTitleBarHeight(40); }, Rect(0, 182, 300, 40), {194, 194, 194},
         {7, 27, 47}, Rect(279, 203, 14, 16), 182},
        {"full-screen button centred", [](TCImageWindow& w) { w.setTitleBarHeight(40), w.setCenterFullScreenButton(true); },
         Rect(0, 182, 300, 40), {194, 194, 194}, {7, 27, 47}, Rect(279, 194, 14, 16), 182},
        {"moved up by 2", [](TCImageWindow& w) { w.setTopButtonMoveUp(2), w.setTitle(QStringLiteral("t")); },
         Rect(0, 200, 300, 22), {205, 205, 205}, {7, 27, 47}, Rect(279, 203, 14, 16), 200},
        // Stacked 6 points apart (separation 8 less 2), the close button on top.
        {"vertical", [](TCImageWindow& w) { w.setTitleBarHeight(70), w.setTrafficLightSeparation(8), w.setVerticalTrafficLightButtons(true); },
         Rect(0, 152, 300, 70), {201, 179, 157}, {7, 7, 7}, Rect(279, 203, 14, 16), 152},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = makeWindow();
        c.configure(*w);
        EXPECT_EQ(w->titleBarContainer()->frame(), c.container);
        const WindowButton lights[] = {WindowButton::Close, WindowButton::Miniaturize, WindowButton::Zoom};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(laidOut(*w, lights[i])->frame(), Rect(c.lightsX[i], c.lightsY[i], 14, 16)) << i;
        EXPECT_EQ(laidOut(*w, WindowButton::FullScreen)->frame(), c.fullScreen);
        EXPECT_EQ(w->contentView()->frame().height(), c.contentHeight);
        EXPECT_EQ(w->titleBarView()->frame().size, c.container.size);
    }
}

TEST(TCImageWindowTest, FullScreenCollapsesTheStripOnlyWhenAsked)
{
    test::TestPlatform platform;
    for (const bool hide : {false, true}) {
        SCOPED_TRACE(hide);
        auto w = makeWindow();
        w->setTitleBarHeight(30);
        w->setHideTitleBarInFullScreen(hide);
        auto close = customButton(QStringLiteral("close"));
        TCWindowButton* custom = close.get();
        w->setCloseButton(std::move(close));
        w->setBackgroundColor(Color::colorWithRed(0, 0.8, 0, 1));
        w->toggleFullScreen();
        EXPECT_EQ(w->titleBarContainer()->frame().height(), hide ? 0 : 30);
        const QImage image = w->renderToImage(); // 16 down: no standard bar shows when collapsed
        EXPECT_TRUE(uitest::near(uitest::at(image, 400, image.height() - 16), hide ? QColor(0, 204, 0) : Qt::white));
        EXPECT_EQ(w->titleBarView()->isHiddenOrHasHiddenAncestor(), hide);
        EXPECT_EQ(w->standardWindowButton(WindowButton::Zoom)->isHiddenOrHasHiddenAncestor(), hide);
        EXPECT_TRUE(custom->isHiddenOrHasHiddenAncestor()); // custom buttons hide in full screen
        w->toggleFullScreen();
        EXPECT_EQ(w->titleBarContainer()->frame().height(), 30);
        EXPECT_EQ(w->contentView()->frame().height(), 222 - 30);
        EXPECT_FALSE(custom->isHiddenOrHasHiddenAncestor());
        EXPECT_FALSE(w->standardWindowButton(WindowButton::Zoom)->isHiddenOrHasHiddenAncestor());
    }
}

TEST(TCImageWindowTest, DelegateGetsItsMessagesAndSheetsDropBelowTheStrip)
{
    struct ClosingDelegate : WindowDelegate {
        void windowWillClose(const platform::Notification&) override { ++closed; }
        int closed = 0;
    } delegate;
    test::TestPlatform platform;
    auto w = makeWindow();
    w->setTitleBarHeight(40);
    w->setDelegate(&delegate);
    EXPECT_EQ(w->delegate(), &delegate);
    w->close();
    EXPECT_EQ(delegate.closed, 1);
    EXPECT_EQ(w->delegateProxy().windowWillPositionSheet(*w, Rect(10, 0, 100, 80)), Rect(10, 222 - 40, 100, 80));
}

TEST(TCImageWindowTest, TitleStartsAfterTheLightsOrAfterACustomCloseButton)
{
    test::TestPlatform platform;
    auto w = makeWindow();
    w->setTitle(QStringLiteral("Title"));
    const auto* view = static_cast<KQTitlebarView*>(w->titleBarView());
    Rect frame;
    view->getTitleFrame(&frame, nullptr, *w);
    EXPECT_EQ(frame.minX(), 80);
    EXPECT_EQ(frame.minY(), 11 - 7);
    w->setCloseButton(customButton(QStringLiteral("close")));
    view->getTitleFrame(&frame, nullptr, *w);
    EXPECT_EQ(frame.minX(), 10);
    EXPECT_EQ(KQ_CGColorCreate(Color::colorWithPatternImage(uitest::redSquare(2))), Color::clearColor());
}

TEST(TCImageWindowTest, DoubleClickOnTheBarMiniaturisesOnlyWhenTheDefaultsSaySo)
{
    const struct {
        const char* name;
        std::optional<QVariant> setting; // none: no defaults file
        bool miniaturized;
    } cases[] = {{"no file", std::nullopt, false}, {"true", true, true}, {"false", false, false}, {"text", QStringLiteral("x"), false}, {"text YES", QStringLiteral("YES"), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestPlatform platform;
        const QString folder = platform->simulatedMac->homePath() + QStringLiteral("/Library/Preferences");
        if (c.setting) {
            QDir().mkpath(folder);
            platform->propertyLists->writeToFile(QVariantMap{{QStringLiteral("AppleMiniaturizeOnDoubleClick"), *c.setting}},
                                                 folder + QStringLiteral("/.GlobalPreferences.plist"));
        }
        auto w = makeWindow();
        w->orderFront();
        QWidget* bar = w->titleBarView()->widget();
        const auto send = [bar](QEvent::Type type, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(150, 5), QPointF(250, 105), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(bar, &event);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        EXPECT_FALSE(w->isMiniaturized()); // a single click never does
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        EXPECT_EQ(w->isMiniaturized(), c.miniaturized);
    }
}

TEST(TCImageWindowTest, RendersTitleBarButtonsAndContent)
{
    test::TestPlatform platform;
    const struct {
        const char* file;
        bool custom;
    } cases[] = {{"image-window-standard-buttons.png", false}, {"image-window-custom-buttons.png", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto w = makeWindow();
        w->setBackgroundColor(Color::colorWithRed(0.85, 0.85, 0.85, 1));
        w->setTitle(QStringLiteral("Image window"));
        w->setShowsTitle(true);
        w->setTitleTextColor(Color::colorWithRed(0.2, 0.2, 0.2, 1));
        w->setInactiveTitleTextColor(Color::colorWithRed(0.55, 0.55, 0.55, 1));
        w->setContentView(std::make_unique<uitest::DrawingView>(Rect(), false, [] {
            Color::colorWithRed(0.75, 0.85, 0.95, 1).setFill();
            NSRectFill(Rect(10, 10, 280, 170));
        }));
        if (c.custom) {
            w->setTitleBarHeight(34);
            w->setCloseButton(customButton(QStringLiteral("close")));
            w->setMinimizeButton(customButton(QStringLiteral("minimize")));
            w->setZoomButton(customButton(QStringLiteral("zoom")));
            w->setFullScreenButton(customButton(QStringLiteral("fullscreen")));
            w->setShowsTitle(false); // it would start at 10, over the lights
        }
        w->makeKeyAndOrderFront();
        if (c.custom)
            w->closeButton()->mouseEntered(Event()); // the whole group rolls over
        const QImage image = w->renderToImage();
        image.save(test::artifactPath(QString::fromLatin1(c.file)));
        const double stripMid = 222 - w->titleBarHeight() / 2;
        EXPECT_TRUE(uitest::near(uitest::at(image, 150, int(stripMid) + 6), Qt::white)) << "white strip";
        const QColor close = uitest::at(image, 10, int(stripMid));
        EXPECT_GT(close.red(), 200);
        EXPECT_LT(close.green(), 140);
        EXPECT_TRUE(uitest::near(uitest::at(image, 150, 100), QColor::fromRgbF(0.75f, 0.85f, 0.95f)));
    }
}

TEST(TCImageWindowTest, TheUndoGroupsCloseRedrawsTheBar)
{
    test::TestPlatform platform;
    auto w = makeWindow();
    int draws = 0;
    w->setTitleBarDrawingBlock([&](bool, const Rect&, const BezierPath&) { ++draws; });
    w->orderFront();
    QApplication::processEvents();
    const int shown = draws;
    w->undoManagerDidCloseUndoGroupNotification({});
    QApplication::processEvents();
    EXPECT_GT(draws, shown);
}
