#include "controls/BgTableView.h"
#include "controls/RowCards.h"
#include "UiTestSupport.h"
#include "PlatformTest.h"
#include "IsolatedEnvironment.h"
#include "utilities/GetColor.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/Window.h"
#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

using RowTablesTest = test::PlatformTest;

struct Count : TableViewDataSource {
    int rows = 3;
    int numberOfRowsInTableView(TableView&) override { return rows; }
};

// A 600 × 160 window holding a table of one 600-point column, rows `stride` points apart.
struct RowWindow {
    Window window{Rect(0, 0, 600, 160), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    ScrollView* scroll = window.contentView()->addSubview(std::make_unique<ScrollView>(Rect(0, 0, 600, 160)));
    BgTableView* table = scroll->setDocumentView(std::make_unique<BgTableView>(Rect(0, 0, 600, 0)));
    Count count;
    uitest::Mouse mouse{window};

    explicit RowWindow(double stride)
    {
        table->setRowHeight(stride);
        table->setIntercellSpacing({0, 0});
        table->addTableColumn(std::make_unique<TableColumn>(QStringLiteral("Name"), 600));
        table->setDataSource(&count);
        window.orderFront();
    }
    ~RowWindow() { window.orderOut(); }
    // Whether the pixel at (x, y) of the table shows the card colour.
    bool card(int x, int y) const
    {
        return uitest::near(window.renderToImage().pixelColor(x, y), getColor(245, 246, 250, 1).toQColor());
    }
};

} // namespace

TEST_F(RowTablesTest, NoOtherRowNumberMarksARow)
{
    EXPECT_EQ(RowCards::markColor(0, -1).alphaComponent(), 0);
    // The marked row is widened, not the row cut: a row past 2^32 is not row 0.
    EXPECT_EQ(RowCards::markColor(int64_t(1) << 32, 0).alphaComponent(), 0);
}

TEST_F(RowTablesTest, TheListMarksRowZeroUntilTheControllerNamesAnother)
{
    RowWindow t(40);
    EXPECT_EQ(t.table->rowNum(), 0);
    EXPECT_TRUE(t.card(10, 20));
    EXPECT_TRUE(t.card(383, 20));
    EXPECT_FALSE(t.card(390, 20)) << "384 points wide";
    EXPECT_FALSE(t.card(10, 60));
    t.table->setRowNum(2);
    EXPECT_TRUE(t.card(10, 100));
    EXPECT_FALSE(t.card(10, 20));
    for (int none : {-1, 3, 40}) {
        t.table->setSelectRow(none);
        EXPECT_FALSE(t.card(10, 20) || t.card(10, 60) || t.card(10, 100)) << none;
    }
    // A click selects without the platform's highlight; the card stays where the controller
    // put it, and after a rebuild it stays on the same row index.
    t.table->setSelectRow(1);
    t.mouse.click({500, 160 - 100});
    EXPECT_EQ(t.table->selectedRow(), 2);
    const QImage image = t.window.renderToImage();
    image.save(test::artifactPath(QStringLiteral("bg-table-view.png")));
    EXPECT_TRUE(uitest::near(image.pixelColor(500, 100), QColor(255, 255, 255)));
    t.count.rows = 2;
    t.table->reloadData();
    EXPECT_EQ(t.table->rowNum(), 1);
    EXPECT_TRUE(t.card(10, 60));
}
