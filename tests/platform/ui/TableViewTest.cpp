#include "UiTestSupport.h"

#include "platform/ui/ButtonCell.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace platform::ui;

namespace {

// Rows of names with a check box each; records what the table asks and tells.
struct Rows : TableViewDataSource, TableViewDelegate {
    std::vector<QString> names;
    std::vector<int> checks;
    std::set<int> refused;   // rows that may not be selected
    std::set<int> disabled;  // rows whose check box is off
    std::vector<std::pair<QString, int>> displayed;
    std::vector<std::pair<int, int>> valuesSet; // row, value
    int numberOfRowsInTableView(TableView&) override { return int(names.size()); }
    QVariant tableView(TableView&, TableColumn* column, int row) override
    {
        return column->identifier() == QLatin1String("Name") ? QVariant(names.at(size_t(row))) : QVariant();
    }
    void tableView(TableView&, const QVariant& value, TableColumn*, int row) override
    {
        valuesSet.emplace_back(row, value.toInt());
        checks.at(size_t(row)) = value.toInt();
    }
    void tableView(TableView&, Cell& cell, TableColumn* column, int row) override
    {
        displayed.emplace_back(column->identifier(), row);
        if (column->identifier() != QLatin1String("Check"))
            return;
        cell.setState(checks.at(size_t(row)));
        cell.setEnabled(!disabled.count(row));
    }
    bool tableView(TableView&, int row) override { return !refused.count(row); }
    void fill(int count)
    {
        names.clear();
        for (int i = 0; i < count; ++i)
            names.push_back(QStringLiteral("Row %1").arg(i));
        checks.assign(size_t(count), 0);
    }
};

// A 200 × 100 window filled by a scroll view around a table with a 20-point check column and
// a 174-point name column; rows are 19 points apart (17 + 2).
struct TableWindow {
    Window window{Rect(100, 100, 200, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    ScrollView* scroll = window.contentView()->addSubview(std::make_unique<ScrollView>(Rect(0, 0, 200, 100)));
    TableView* table = scroll->setDocumentView(std::make_unique<TableView>(Rect(0, 0, 200, 0)));
    Rows rows;
    uitest::Mouse mouse{window};
    explicit TableWindow(int count)
    {
        auto check = std::make_unique<TableColumn>(QStringLiteral("Check"), 20);
        auto box = std::make_unique<ButtonCell>();
        box->setButtonType(ButtonType::Switch);
        check->setDataCell(std::move(box));
        table->addTableColumn(std::move(check));
        table->addTableColumn(std::make_unique<TableColumn>(QStringLiteral("Name"), 174));
        rows.fill(count);
        table->setDelegate(&rows);
        table->setDataSource(&rows);
        window.orderFront();
    }
    ~TableWindow() { window.orderOut(); }
    // A point in the window of a table point (the table is flipped and may be scrolled).
    Point at(double x, double y) const { return table->convertPointToView({x, y}, nullptr); }
    void clickRow(int row, double x = 100) { mouse.click(at(x, row * 19 + 9)); }
    std::set<int> drawnRows()
    {
        rows.displayed.clear();
        (void)window.renderToImage();
        std::set<int> drawn;
        for (const auto& [column, row] : rows.displayed)
            drawn.insert(row);
        return drawn;
    }
};

} // namespace

TEST(TableViewTest, RowsAndColumnsHaveTheirPlaces)
{
    TableWindow t(3);
    EXPECT_EQ(t.table->rectOfRow(1), Rect(0, 19, 200, 19));
    EXPECT_EQ(t.table->rectOfRow(3), Rect()) << "past the last row";
    EXPECT_EQ(t.table->rectOfRow(-1), Rect());
    EXPECT_EQ(t.table->rectOfColumn(1), Rect(23, 0, 177, 100));
    EXPECT_EQ(t.table->frameOfCellAtColumn(1, 2), Rect(24.5, 39, 174, 17));
    // x, y, row, column (-1 outside; 57 is below the last row)
    const struct { double x, y; int row, column; } points[] = {
        {5, 0, 0, 0}, {5, 18.9, 0, 0}, {5, 19, 1, 0}, {5, 57, -1, 0}, {5, -1, -1, 0},
        {250, 5, -1, -1}, {22.9, 5, 0, 0}, {23, 5, 0, 1}, {201, 5, -1, -1}};
    for (const auto& p : points) {
        EXPECT_EQ(t.table->rowAtPoint({p.x, p.y}), p.row) << p.x << ", " << p.y;
        EXPECT_EQ(t.table->columnAtPoint({p.x, p.y}), p.column) << p.x << ", " << p.y;
    }
    // Three rows take 57 points, but the table fills the clip view; many rows grow it.
    EXPECT_EQ(t.table->frame().size, (Size{200, 100}));
    t.rows.fill(40);
    t.table->reloadData();
    EXPECT_EQ(t.table->frame().height(), 40 * 19);
}

TEST(TableViewTest, OnlyRowsInViewAreDrawnAndAskedFor)
{
    TableWindow t(50);
    EXPECT_EQ(t.drawnRows(), (std::set<int>{0, 1, 2, 3, 4, 5})) << "100 points show rows 0 to 5";
    EXPECT_EQ(t.rows.displayed.size(), 12u) << "each row once per column";
    // Scrolled down by 200 points: rows 10 to 15 are in view.
    t.mouse.wheel({100, 50}, -200);
    EXPECT_EQ(t.scroll->contentView()->scrollPosition(), (Point{0, 200}));
    EXPECT_EQ(t.scroll->documentVisibleRect(), Rect(0, 200, 200, 100));
    EXPECT_EQ(t.drawnRows(), (std::set<int>{10, 11, 12, 13, 14, 15}));
    // The wheel stops at both ends.
    t.mouse.wheel({100, 50}, -5000);
    EXPECT_EQ(t.scroll->contentView()->scrollPosition(), (Point{0, 50 * 19 - 100}));
    t.mouse.wheel({100, 50}, 9000);
    EXPECT_EQ(t.scroll->contentView()->scrollPosition(), (Point{0, 0}));
    // Fewer rows after a reload pull the view back within them.
    t.mouse.wheel({100, 50}, -400);
    t.rows.fill(8);
    t.table->reloadData();
    EXPECT_EQ(t.scroll->contentView()->scrollPosition(), (Point{0, 52}));
}

TEST(TableViewTest, ClicksSelectTheRowsTheDelegateAllows)
{
    TableWindow t(4);
    t.rows.refused = {3};
    t.clickRow(2);
    EXPECT_EQ(t.table->selectedRow(), 2);
    t.clickRow(3);
    EXPECT_EQ(t.table->selectedRow(), 2) << "refused";
    // Below the last row: nothing is selected.
    t.mouse.click(t.at(100, 90));
    EXPECT_EQ(t.table->selectedRow(), -1);
    // A reload that takes the selected row away clears the selection.
    t.clickRow(2);
    t.rows.fill(2);
    t.table->reloadData();
    EXPECT_EQ(t.table->selectedRow(), -1);
}

TEST(TableViewTest, CheckBoxCellsToggleOnlyOnAReleaseInsideAnEnabledBox)
{
    TableWindow t(5);
    t.clickRow(1, 10);
    t.clickRow(1, 10);
    t.clickRow(3, 10);
    EXPECT_EQ(t.rows.valuesSet, (std::vector<std::pair<int, int>>{{1, 1}, {1, 0}, {3, 1}}));
    EXPECT_EQ(t.table->selectedRow(), 3) << "the click selects the row as well";
    // A press that leaves the box before the release changes nothing.
    t.mouse.press(t.at(10, 9));
    t.mouse.drag(t.at(100, 9));
    t.mouse.release(t.at(100, 9));
    EXPECT_EQ(t.rows.valuesSet.size(), 3u);
    // A disabled box ignores clicks; a click in the name column is no box click.
    t.rows.disabled = {4};
    t.clickRow(4, 10);
    t.clickRow(2, 100);
    EXPECT_EQ(t.rows.valuesSet.size(), 3u);
}

TEST(TableViewTest, ARowThatVanishesDuringAClickIsLeftAlone)
{
    TableWindow t(5);
    t.mouse.press(t.at(10, 4 * 19 + 9));
    t.rows.fill(2);
    t.table->reloadData();
    t.mouse.release(t.at(10, 4 * 19 + 9));
    EXPECT_TRUE(t.rows.valuesSet.empty());
}

TEST(TableViewTest, NegativeRowCountsAndNoDataSourceAreNoRows)
{
    TableWindow t(3);
    struct Negative : TableViewDataSource {
        int numberOfRowsInTableView(TableView&) override { return -5; }
    } negative;
    t.table->setDataSource(&negative);
    EXPECT_EQ(t.table->rectOfRow(0), Rect());
    EXPECT_EQ(t.table->preparedCellAtColumn(1, 0), nullptr);
    t.table->setDataSource(nullptr);
    EXPECT_EQ(t.table->rectOfRow(0), Rect());
    t.clickRow(0);
    EXPECT_EQ(t.table->selectedRow(), -1);
}
