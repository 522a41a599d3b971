#include "AboutVersionBgView.h"
#include "BaseBgView.h"
#include "CleanCellBgView.h"
#include "DiskLowView.h"
#include "DiskTextFiledView.h"
#include "DownloadTableHeaderView.h"
#include "ShoutDownBgView.h"
#include "TableViewBgView.h"

#include "UiTestSupport.h"

#include "PlatformTest.h"
#include "IsolatedEnvironment.h"

#include "platform/ui/Window.h"


#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;
using uitest::at;
using uitest::near;

namespace {

using BackgroundViewTest = test::PlatformTest;

QImage rendered(const View& view, const char* file)
{
    QImage image = view.renderToImage();
    image.save(test::artifactPath(QString::fromLatin1(file)));
    return image;
}

// A filled rounded panel: the colour in the middle and along the straight edges, nothing in
// the corners.
void expectPanel(const QImage& image, const QColor& color)
{
    const int w = image.width(), h = image.height();
    EXPECT_TRUE(near(at(image, w / 2, h / 2), color)) << at(image, w / 2, h / 2).name(QColor::HexArgb).toStdString();
    EXPECT_TRUE(near(at(image, w / 2, 0), color, 40)); // antialiased edge row
    EXPECT_EQ(at(image, 0, 0).alpha(), 0);
    EXPECT_EQ(at(image, w - 1, h - 1).alpha(), 0);
}

class CountingDelegate : public TableViewBgViewDelegate {
public:
    void mouseDownAction() override { ++clicks; }
    int clicks = 0;
};

class SilentDelegate : public TableViewBgViewDelegate {};

} // namespace

TEST_F(BackgroundViewTest, PanelsFillTheirRoundedBoundsInTheirColours)
{
    expectPanel(rendered(BaseBgView(Rect(0, 0, 120, 60)), "base-bg-view.png"), QColor(255, 255, 255, 230));
    expectPanel(rendered(TableViewBgView(Rect(0, 0, 120, 60)), "table-view-bg-view.png"), QColor(247, 248, 255));
    expectPanel(rendered(CleanCellBgView(Rect(0, 0, 120, 60)), "clean-cell-bg-view.png"), QColor(245, 246, 250));
    expectPanel(rendered(DiskTextFiledView(Rect(0, 0, 120, 30)), "disk-text-filed-view.png"), QColor(0, 0, 0, 31));
    expectPanel(rendered(AboutVersionBgView(Rect(0, 0, 120, 30)), "about-version-bg-view.png"),
                QColor(167, 175, 184, 77));
}

TEST_F(BackgroundViewTest, ShutDownBackgroundIsOnlyAnOutline)
{
    const QImage image = rendered(ShoutDownBgView(Rect(0, 0, 80, 40)), "shout-down-bg-view.png");
    EXPECT_EQ(at(image, 40, 20).alpha(), 0);          // hollow inside
    EXPECT_GT(at(image, 40, 0).alpha(), 40);          // the outline along the bottom edge
    EXPECT_EQ(at(image, 40, 0).red(), 255);
    EXPECT_LT(at(image, 0, 0).alpha(), 20);           // a rounded corner
}

TEST_F(BackgroundViewTest, DownloadHeaderHasARuleAndAColumnDivider)
{
    const QImage image = rendered(DownloadTableHeaderView(Rect(0, 0, 540, 30)), "download-table-header-view.png");
    const QColor band = at(image, 200, 20);
    EXPECT_TRUE(near(band, QColor(248, 248, 248, 77))) << band.name(QColor::HexArgb).toStdString();
    // The divider at x 385 from y 5 up to 25 is darker than the band beside it.
    EXPECT_LT(at(image, 385, 15).red(), band.red() - 5);
    EXPECT_GT(at(image, 385, 15).alpha(), band.alpha());
    EXPECT_TRUE(near(at(image, 385, 27), band)); // it ends at 25
    // The rule along y 5 stops at 528.
    EXPECT_GT(at(image, 100, 5).alpha(), band.alpha());
    EXPECT_TRUE(near(at(image, 533, 5), band));
}

TEST_F(BackgroundViewTest, DiskBandIs112PointsHighInsetByHalfAPoint)
{
    const QImage image = rendered(DiskLowView(Rect(0, 0, 200, 160)), "disk-low-view.png");
    EXPECT_TRUE(near(at(image, 100, 50), QColor(255, 255, 255, 77)));
    EXPECT_EQ(at(image, 100, 130).alpha(), 0); // above the band
    EXPECT_EQ(at(image, 0, 0).alpha(), 0);
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
