#include "controls/AboutVersionBgView.h"
#include "controls/BaseBgView.h"
#include "controls/CleanCellBgView.h"
#include "controls/DiskLowView.h"
#include "controls/DiskTextFiledView.h"
#include "controls/TableViewBgView.h"
#include "UiTestSupport.h"
#include "PlatformTest.h"
#include "IsolatedEnvironment.h"
#include "platform/ui/Window.h"
#include <gtest/gtest.h>

using namespace platform::ui;
using uitest::at;
using uitest::near;

namespace {

using BackgroundViewTest = test::PlatformTest;

struct CountingDelegate : TableViewBgViewDelegate {
    void mouseDownAction() override { ++clicks; }
    int clicks = 0;
};
struct SilentDelegate : TableViewBgViewDelegate {};

} // namespace

QImage rendered(const View& view, const char* file)
{
    QImage image = view.renderToImage();
    image.save(test::artifactPath(QLatin1String(file) + QStringLiteral(".png")));
    return image;
}

// One image per view: its colour where it draws, nothing where it must not (a rounded corner,
// above a band).
TEST_F(BackgroundViewTest, EachViewDrawsOnlyWhereItLies)
{
    const struct {
        std::unique_ptr<View> view;
        const char* file;
        QColor colour;
        QPoint clear;
    } cases[] = {
        {std::make_unique<BaseBgView>(Rect(0, 0, 120, 60)), "base-bg-view", QColor(255, 255, 255, 230), {0, 0}},
        {std::make_unique<TableViewBgView>(Rect(0, 0, 120, 60)), "table-view-bg-view", QColor(247, 248, 255), {119, 59}},
        {std::make_unique<CleanCellBgView>(Rect(0, 0, 120, 60)), "clean-cell-bg-view", QColor(245, 246, 250), {0, 59}},
        {std::make_unique<DiskTextFiledView>(Rect(0, 0, 120, 30)), "disk-text-filed-view", QColor(0, 0, 0, 31), {119, 0}},
        {std::make_unique<AboutVersionBgView>(Rect(0, 0, 120, 30)), "about-version-bg-view", QColor(167, 175, 184, 77), {0, 0}},
        {std::make_unique<DiskLowView>(Rect(0, 0, 200, 160)), "disk-low-view", QColor(255, 255, 255, 77), {100, 130}},
    };
    for (const auto& c : cases) {
        const QImage image = rendered(*c.view, c.file);
        const QColor middle = at(image, image.width() / 2, image.height() / 3);
        EXPECT_TRUE(near(middle, c.colour)) << c.file << " " << middle.name(QColor::HexArgb).toStdString();
        EXPECT_EQ(at(image, c.clear.x(), c.clear.y()).alpha(), 0) << c.file;
    }
}

TEST_F(BackgroundViewTest, ClicksOnTheCardGoOnlyToADelegateThatWantsThem)
{
    Window window(Rect(100, 100, 200, 100), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
    window.setMovableByWindowBackground(true);
    auto* card = window.contentView()->addSubview(std::make_unique<TableViewBgView>(Rect(0, 0, 200, 100)));
    const auto drag = [card] { uitest::dragWidget(card->widget()); };
    drag(); // no delegate: nothing happens, and the window does not move either
    SilentDelegate silent;
    card->setDelegate(&silent);
    drag();
    EXPECT_EQ(window.frame().origin, (Point{100, 100}));
    CountingDelegate counting;
    card->setDelegate(&counting);
    drag();
    EXPECT_EQ(counting.clicks, 1);
    EXPECT_EQ(window.frame().origin, (Point{100, 100})); // the click goes no further
}
